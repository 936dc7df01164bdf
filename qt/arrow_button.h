// One of the two arrow buttons inside a numeric spin field.
#pragma once

#include <QAbstractButton>

class QTimer;

namespace tabulor {

// Signals Step when it is released with the pointer over it and, while it is held down over
// it, once after FirstRepeatDelay and then every RepeatInterval.
class TArrowButton : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int FirstRepeatDelay = 400;  // milliseconds
    static constexpr int RepeatInterval = 100;

    TArrowButton(Qt::ArrowType direction, QWidget* parent);

    QSize sizeHint() const override;

signals:
    void Step();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void RepeatTimerTimeout();
    void Paint();

    Qt::ArrowType Direction;
    QTimer* RepeatTimer;
};

}  // namespace tabulor

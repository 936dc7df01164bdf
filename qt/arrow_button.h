// One of the two arrow buttons inside a numeric spin field.
#pragma once

#include <QAbstractButton>

#include "shell/arrow_repeat.h"

class QTimer;

namespace tabulor {

// Signals Step as the shared repeat rule says: released over it, and while it is held down
// over it, after the first delay and then at every interval. An error box ends the press.
class TArrowButton : public QAbstractButton {
    Q_OBJECT
public:
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
    void CancelPress();
    void ArmRepeatTimer(TArrowRepeat::TTime now);
    void Paint();

    Qt::ArrowType Direction;
    TArrowRepeat Repeat;
    QTimer* RepeatTimer;
};

}  // namespace tabulor

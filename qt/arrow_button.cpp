#include "qt/arrow_button.h"

#include <QMouseEvent>
#include <QStyleOption>
#include <QStylePainter>
#include <QTimer>

#include "qt/application.h"

namespace tabulor {

TArrowButton::TArrowButton(Qt::ArrowType direction, QWidget* parent)
    : QAbstractButton(parent), Direction(direction), RepeatTimer(new QTimer(this))
{
    setFocusPolicy(Qt::NoFocus);
    RepeatTimer->setObjectName(QStringLiteral("RepeatTimer"));
    connect(RepeatTimer, &QTimer::timeout, this, Guarded([this] { RepeatTimerTimeout(); }));
    connect(this, &QAbstractButton::clicked, this, &TArrowButton::Step);
}

QSize TArrowButton::sizeHint() const
{
    return {15, 9};
}

void TArrowButton::RepeatTimerTimeout()
{
    RepeatTimer->start(RepeatInterval);
    // The pointer may have left the button while it is held: the repeat pauses until it is
    // back, without restarting the delay.
    if (isDown())
        emit Step();
}

void TArrowButton::mousePressEvent(QMouseEvent* event)
{
    RunGuarded([&] {
        QAbstractButton::mousePressEvent(event);
        if (event->button() == Qt::LeftButton && isDown())
            RepeatTimer->start(FirstRepeatDelay);
    });
}

void TArrowButton::mouseReleaseEvent(QMouseEvent* event)
{
    RunGuarded([&] {
        if (event->button() == Qt::LeftButton)
            RepeatTimer->stop();
        QAbstractButton::mouseReleaseEvent(event);
    });
}

void TArrowButton::paintEvent(QPaintEvent*)
{
    RunGuarded([this] { Paint(); });
}

void TArrowButton::Paint()
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    painter.drawPrimitive(QStyle::PE_PanelButtonBevel, option);
    option.rect = rect().adjusted(3, 1, -3, -1);
    painter.drawPrimitive(
        Direction == Qt::UpArrow ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
        option);
}

}  // namespace tabulor

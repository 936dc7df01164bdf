#include "qt/arrow_button.h"

#include <QMouseEvent>
#include <QStyleOption>
#include <QStylePainter>
#include <QTimer>

#include "qt/guard.h"
#include "shell/spin_arrows.h"

namespace tabulor {
namespace {

using TClock = std::chrono::steady_clock;

}  // namespace

TArrowButton::TArrowButton(Qt::ArrowType direction, QWidget* parent)
    : QAbstractButton(parent), Direction(direction), RepeatTimer(new QTimer(this))
{
    setFocusPolicy(Qt::NoFocus);
    RepeatTimer->setObjectName(QStringLiteral("RepeatTimer"));
    RepeatTimer->setSingleShot(true);
    // A coarse timer may fire early, which the repeat would only answer with another wait.
    RepeatTimer->setTimerType(Qt::PreciseTimer);
    connect(RepeatTimer, &QTimer::timeout, this, Guarded([this] { RepeatTimerTimeout(); }));
    connect(&TErrorReporter::Instance(), &TErrorReporter::PressCancelled, this,
            &TArrowButton::CancelPress);
}

QSize TArrowButton::sizeHint() const
{
    return {SpinArrowWidth, 9};
}

void TArrowButton::ArmRepeatTimer(TArrowRepeat::TTime now)
{
    if (const std::optional<TArrowRepeat::TTime> next = Repeat.NextTick())
        RepeatTimer->start(std::chrono::ceil<std::chrono::milliseconds>(*next - now));
    else
        RepeatTimer->stop();
}

// The timer is armed again before the step, so that an error box that the step opens, and
// that ends the press, leaves it stopped.
void TArrowButton::RepeatTimerTimeout()
{
    const TArrowRepeat::TTime now = TClock::now();
    const bool steps = Repeat.Tick(now, isDown());
    ArmRepeatTimer(now);
    if (steps)
        emit Step();
}

void TArrowButton::CancelPress()
{
    Repeat.Cancel();
    RepeatTimer->stop();
    setDown(false);
}

void TArrowButton::mousePressEvent(QMouseEvent* event)
{
    RunGuarded([&] {
        QAbstractButton::mousePressEvent(event);
        if (event->button() == Qt::LeftButton && isDown()) {
            const TArrowRepeat::TTime now = TClock::now();
            Repeat.Press(now);
            ArmRepeatTimer(now);
        }
    });
}

void TArrowButton::mouseReleaseEvent(QMouseEvent* event)
{
    RunGuarded([&] {
        if (event->button() != Qt::LeftButton) {
            QAbstractButton::mouseReleaseEvent(event);
            return;
        }
        const bool steps = Repeat.Release(hitButton(event->position().toPoint()));
        RepeatTimer->stop();
        QAbstractButton::mouseReleaseEvent(event);
        if (steps)
            emit Step();
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

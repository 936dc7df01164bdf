#include "qt/edit.h"

#include <QFocusEvent>
#include <QMouseEvent>

#include <limits>
#include <utility>

#include "qt/guard.h"

namespace tabulor {
namespace {

// A focus that a press gave is told by the press that follows, which Qt delivers later.
TFocusCause FocusCauseOf(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::TabFocusReason: return TFocusCause::Tab;
    case Qt::BacktabFocusReason: return TFocusCause::Backtab;
    case Qt::ShortcutFocusReason: return TFocusCause::Shortcut;
    case Qt::ActiveWindowFocusReason: return TFocusCause::ActiveWindow;
    case Qt::PopupFocusReason: return TFocusCause::PopupClosed;
    case Qt::MenuBarFocusReason: return TFocusCause::MenuBar;
    default: return TFocusCause::Other;
    }
}

}  // namespace

TEdit::TEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(std::numeric_limits<int>::max());
    // A file dropped on a field is a file chosen, which the window handles: its name is never
    // typed into the field as a URL.
    setAcceptDrops(false);
}

void TEdit::focusInEvent(QFocusEvent* event)
{
    RunGuarded([&] {
        QLineEdit::focusInEvent(event);
        if (event->reason() == Qt::MouseFocusReason)
            MouseFocusPending = true;
        else if (SelectsAllOnFocus(FocusCauseOf(event->reason())))
            selectAll();
    });
}

void TEdit::focusOutEvent(QFocusEvent* event)
{
    RunGuarded([&] {
        MouseFocusPending = false;
        QLineEdit::focusOutEvent(event);
    });
}

void TEdit::mousePressEvent(QMouseEvent* event)
{
    RunGuarded([&] {
        QLineEdit::mousePressEvent(event);
        SettleMouseFocus(event->button() == Qt::LeftButton ? TFocusCause::PressOnControl
                                                           : TFocusCause::OtherPress);
    });
}

void TEdit::SettleMouseFocus(TFocusCause press)
{
    if (std::exchange(MouseFocusPending, false) && SelectsAllOnFocus(press))
        selectAll();
}

}  // namespace tabulor

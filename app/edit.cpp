#include "app/edit.h"

#include <QFocusEvent>
#include <QMouseEvent>

#include <utility>

namespace tabulor {

void TEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason)
        MouseFocusPending = true;
    else if (event->reason() != Qt::PopupFocusReason)  // back from its own context menu
        selectAll();
}

void TEdit::focusOutEvent(QFocusEvent* event)
{
    MouseFocusPending = false;
    QLineEdit::focusOutEvent(event);
}

void TEdit::mousePressEvent(QMouseEvent* event)
{
    const bool focusedByOtherButton = TakeMouseFocus() && event->button() != Qt::LeftButton;
    QLineEdit::mousePressEvent(event);
    if (focusedByOtherButton)
        selectAll();
}

bool TEdit::TakeMouseFocus()
{
    return std::exchange(MouseFocusPending, false);
}

}  // namespace tabulor

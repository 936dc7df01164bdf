#include "qt/edit.h"

#include <QFocusEvent>
#include <QMouseEvent>

#include <limits>
#include <utility>

#include "qt/application.h"

namespace tabulor {

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
        else if (event->reason() != Qt::PopupFocusReason)  // back from its own context menu
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
        const bool focusedByOtherButton = TakeMouseFocus() && event->button() != Qt::LeftButton;
        QLineEdit::mousePressEvent(event);
        if (focusedByOtherButton)
            selectAll();
    });
}

bool TEdit::TakeMouseFocus()
{
    return std::exchange(MouseFocusPending, false);
}

}  // namespace tabulor

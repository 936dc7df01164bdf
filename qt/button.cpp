#include "qt/button.h"

#include <QKeyEvent>

#include "qt/application.h"

namespace tabulor {

void TButton::keyPressEvent(QKeyEvent* event)
{
    RunGuarded([&] {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const Qt::KeyboardModifiers held =
            Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
        if (enter && !(event->modifiers() & held))
            click();
        else
            QPushButton::keyPressEvent(event);
    });
}

}  // namespace tabulor

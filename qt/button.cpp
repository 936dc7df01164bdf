#include "qt/button.h"

#include <QKeyEvent>

#include "qt/application.h"
#include "shell/focus.h"

namespace tabulor {

void TButton::keyPressEvent(QKeyEvent* event)
{
    RunGuarded([&] {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const bool modifierHeld =
            event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if (enter && EnterPressesFocused(TControlKind::Button, modifierHeld))
            click();
        else
            QPushButton::keyPressEvent(event);
    });
}

}  // namespace tabulor

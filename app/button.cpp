#include "app/button.h"

#include <QKeyEvent>

namespace tabulor {

void TButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (enter && !(event->modifiers() & held)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace tabulor

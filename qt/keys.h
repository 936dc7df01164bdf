// Qt's key events as the window's key rules take them.
#pragma once

#include <QKeyEvent>

#include "shell/keys.h"

namespace tabulor {

inline TKey KeyOf(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return TKey::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return TKey::Enter;
    case Qt::Key_Escape: return TKey::Escape;
    case Qt::Key_Left: return TKey::Left;
    case Qt::Key_Right: return TKey::Right;
    case Qt::Key_Up: return TKey::Up;
    case Qt::Key_Down: return TKey::Down;
    case Qt::Key_C: return TKey::C;
    default: return TKey::Other;
    }
}

// Qt reports Shift+Tab as Backtab, which is Tab with Shift held.
inline TModifiers ModifiersOf(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers held = event.modifiers();
    return {held.testFlag(Qt::ShiftModifier) || event.key() == Qt::Key_Backtab,
            held.testFlag(Qt::ControlModifier), held.testFlag(Qt::AltModifier)};
}

}  // namespace tabulor

// The system's virtual keys as the window's key rules take them.
#pragma once

#include <windows.h>

#include "shell/keys.h"

namespace tabulor {

inline TKey KeyOf(WPARAM virtualKey)
{
    switch (virtualKey) {
    case VK_TAB: return TKey::Tab;
    case VK_RETURN: return TKey::Enter;
    case VK_ESCAPE: return TKey::Escape;
    case VK_LEFT: return TKey::Left;
    case VK_RIGHT: return TKey::Right;
    case VK_UP: return TKey::Up;
    case VK_DOWN: return TKey::Down;
    case 'C': return TKey::C;
    default: return TKey::Other;
    }
}

// A key pressed in window or one of its children.
inline bool IsKeyDownIn(const MSG& message, HWND window)
{
    return message.message == WM_KEYDOWN && (message.hwnd == window || IsChild(window, message.hwnd));
}

// The modifiers held as the key message now being handled was posted.
inline TModifiers HeldModifiers()
{
    return {GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
}

}  // namespace tabulor

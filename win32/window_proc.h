// The window procedure of a class whose every window belongs to one object, handed over at
// creation: each message goes to the object's HandleMessage behind the guard, and once the last
// one has been handled, the object's Detach lets go of the window that is gone.
#pragma once

#include <windows.h>

#include "win32/guard.h"

namespace tabulor {

template <class TOwner>
LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* created = static_cast<TOwner*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->Attach(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* owner = reinterpret_cast<TOwner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    LRESULT result = 0;
    RunGuarded([&] { result = owner->HandleMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY)
        owner->Detach();
    return result;
}

// A window class of such windows, with the arrow pointer; background none lets the object
// paint all of it.
template <class TOwner>
void RegisterOwnedClass(HINSTANCE instance, const wchar_t* name, HBRUSH background)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = OwnedWindowProc<TOwner>;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

}  // namespace tabulor

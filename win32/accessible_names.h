// The names that screen readers read out where the system's rule would give another: a field's
// from the static text right before it in the z-order, a button's from its text.
#pragma once

#include <windows.h>

#include <string_view>

namespace tabulor {

// An invisible static text that names the field created right after it.
void CreateHiddenLabel(HWND parent, std::u16string_view name);

// Names control, whose text says less, for screen readers alone.
void GiveAccessibleName(HWND control, std::u16string_view name);

// The answer to a WM_GETOBJECT sent to a spin field's arrows window: its two arrows, push
// buttons named for what they do, child 1 the up arrow and child 2 the down one, each where it
// lies in the window's client area.
LRESULT AnswerSpinArrowsObject(HWND arrows, WPARAM wParam, LPARAM lParam);

}  // namespace tabulor

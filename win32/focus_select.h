// Edits and spin fields select their whole text when they take the focus, unless a press of the
// primary button on the field itself gave it.
#pragma once

#include <windows.h>

namespace tabulor {

// Handles the focus messages of an edit's subclass procedure; false for every other message.
bool HandleEditFocus(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Subclasses a plain edit so that it follows the rule.
void SelectAllOnFocus(HWND edit);

}  // namespace tabulor

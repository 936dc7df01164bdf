#include "win32/focus_select.h"

#include <commctrl.h>

#include "shell/focus.h"
#include "win32/guard.h"

namespace tabulor {
namespace {

// The edit under a primary-button press while the edit handles it; one press at a time.
HWND PressedEdit = nullptr;

LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR)
{
    LRESULT result = 0;
    RunGuarded([&] {
        if (message == WM_NCDESTROY)
            RemoveWindowSubclass(edit, EditProc, 0);
        if (!HandleEditFocus(edit, message, wParam, lParam, result))
            result = DefSubclassProc(edit, message, wParam, lParam);
    });
    return result;
}

}  // namespace

bool HandleEditFocus(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        PressedEdit = edit;
        result = DefSubclassProc(edit, message, wParam, lParam);
        PressedEdit = nullptr;
        return true;
    }
    case WM_SETFOCUS: {
        result = DefSubclassProc(edit, message, wParam, lParam);
        const TFocusCause cause = edit == PressedEdit ? TFocusCause::PressOnControl : TFocusCause::Other;
        if (SelectsAllOnFocus(cause))
            SendMessageW(edit, EM_SETSEL, 0, -1);
        return true;
    }
    default:
        return false;
    }
}

void SelectAllOnFocus(HWND edit)
{
    SetWindowSubclass(edit, EditProc, 0, 0);
}

}  // namespace tabulor

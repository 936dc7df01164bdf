// The identifiers of the main window's controls and the names of the tool's window classes, so
// that the window, screen readers' scripts and the tests find each control under a number that
// stays put.
#pragma once

#include <windows.h>

#include "shell/layout.h"

namespace tabulor {

inline constexpr int FirstControlId = 1000;
inline constexpr const wchar_t* FormMainClassName = L"TFormMain";
inline constexpr const wchar_t* MessageFormClassName = L"TMessageForm";
inline constexpr const wchar_t* SpinArrowsClassName = L"TSpinArrows";

// A control's place in the layout table past the first identifier.
constexpr int ControlId(TControlId id)
{
    return FirstControlId + static_cast<int>(id);
}

// The control of the main window form under id: the program and its tests find a control by its
// id through here alone.
inline HWND FormControl(HWND form, TControlId id)
{
    return GetDlgItem(form, ControlId(id));
}

}  // namespace tabulor

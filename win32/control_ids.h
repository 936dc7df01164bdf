// The identifiers of the main window's controls and the names of the tool's window classes, so
// that the window, screen readers' scripts and the tests find each control under a number that
// stays put.
#pragma once

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

}  // namespace tabulor

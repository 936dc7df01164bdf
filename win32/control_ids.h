// The identifiers of the main window's controls, so that the window, screen readers' scripts and
// the tests find each control under a number that stays put.
#pragma once

#include <string_view>

#include "shell/layout.h"

namespace tabulor {

inline constexpr int FirstControlId = 1000;
inline constexpr const wchar_t* FormMainClassName = L"TFormMain";
inline constexpr const wchar_t* MessageFormClassName = L"TMessageForm";

// A control's place in the layout table past the first identifier.
inline int ControlId(std::string_view name)
{
    return FirstControlId + static_cast<int>(&FindControl(name) - FormControls().data());
}

}  // namespace tabulor

// The notice that confirms a finished run: a small modal dialog with the text and one "OK".
#pragma once

#include <windows.h>

#include <string_view>

namespace tabulor {

void RegisterNoticeClass(HINSTANCE instance);

// Shows text modally over every window of the tool and returns once the user has closed it.
void ShowNotice(std::u16string_view text);

}  // namespace tabulor

// The windows' UTF-16 texts: wchar_t on Windows holds the same code units as char16_t.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tabulor {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

inline std::wstring ToWide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(std::wstring_view text)
{
    return std::u16string(text.begin(), text.end());
}

// What a window or control holds as text, however long.
inline std::u16string WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return FromWide(text);
}

inline void SetControlText(HWND window, std::u16string_view text)
{
    SetWindowTextW(window, ToWide(text).c_str());
}

}  // namespace tabulor

// Whether the tests run under Wine rather than Windows. Wine's XmlLite turns the character
// references of a tab or a line end into a space and lets a few malformed documents through,
// where Windows' own follows the XML standard; the cases that hang on these are Windows' alone.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

namespace tabulor::testkit {

inline bool RunsUnderWine()
{
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

}  // namespace tabulor::testkit

// What the messages show after the full path: the system's own text for an error, found through
// the platform's facility rather than through the code under test, and the error each platform
// gives for the common faults of a name.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#endif

#include <string>

namespace tabulor::testkit {

#ifdef _WIN32

using TSystemError = DWORD;
inline constexpr TSystemError NoSuchFile = ERROR_FILE_NOT_FOUND;
inline constexpr TSystemError NoSuchFolder = ERROR_PATH_NOT_FOUND;
inline constexpr TSystemError IsAFolder = ERROR_ACCESS_DENIED;
inline constexpr TSystemError NotAFolder = ERROR_PATH_NOT_FOUND;

// In the user's language where the system has it, as the messages are; without the full stop and
// line end that the system's texts close with.
inline std::string SystemText(TSystemError code)
{
    wchar_t text[2048];
    DWORD length = 0;
    for (const DWORD language : {DWORD{MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)}, DWORD{0}}) {
        length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                  language, text, 2048, nullptr);
        if (length != 0)
            break;
    }
    while (length > 0 && (text[length - 1] == L'.' || text[length - 1] == L' ' || text[length - 1] < L' '))
        --length;
    std::string utf8(static_cast<std::size_t>(length) * 4, '\0');
    utf8.resize(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length),
                                                               utf8.data(), static_cast<int>(utf8.size()),
                                                               nullptr, nullptr)));
    return utf8;
}

#else

using TSystemError = int;
inline constexpr TSystemError NoSuchFile = ENOENT;
inline constexpr TSystemError NoSuchFolder = ENOENT;
inline constexpr TSystemError IsAFolder = EISDIR;
inline constexpr TSystemError NotAFolder = ENOTDIR;

inline std::string SystemText(TSystemError code)
{
    return std::strerror(code);
}

#endif

}  // namespace tabulor::testkit

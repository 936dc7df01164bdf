// The Windows-1252 code page: the characters of its bytes 0x80 to 0x9F (every other byte is the
// character of the same code), and the byte of a character.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tabulor {

// The five bytes that Windows-1252 leaves unassigned stand for the control characters of the
// same code, as in Windows' own table.
inline constexpr std::array<char32_t, 32> Windows1252HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte that holds the character; none where Windows-1252 has no byte for it.
std::optional<unsigned char> Windows1252Byte(char32_t character);

// The text's characters in UTF-8.
std::string Windows1252ToUtf8(std::string_view text);

}  // namespace tabulor

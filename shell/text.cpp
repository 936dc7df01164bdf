#include "shell/text.h"

#include <algorithm>
#include <array>

namespace tabulor {
namespace {

// The characters of the bytes 0x80 to 0x9F. The five bytes that Windows-1252 leaves
// unassigned stand for the control characters of the same code, as in Windows' own table.
constexpr std::array<char16_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char ToByte(char16_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    const auto found = std::find(HighControlRange.begin(), HighControlRange.end(), character);
    if (found != HighControlRange.end())
        return static_cast<char>(0x80 + (found - HighControlRange.begin()));
    return '?';
}

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The length of the UTF-8 sequence that lead starts and the bits it carries; 0 for a byte that
// starts none.
int SequenceLength(unsigned char lead, char32_t& bits)
{
    if (lead < 0x80) {
        bits = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        bits = lead & 0x1F;
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        bits = lead & 0x0F;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        bits = lead & 0x07;
        return 4;
    }
    return 0;
}

// Decodes the character at utf8[position] and moves past it, or past one byte when it is
// malformed (overlong forms, surrogates and values beyond U+10FFFF included).
char32_t DecodeAt(std::string_view utf8, std::size_t& position)
{
    constexpr char32_t replacement = 0xFFFD;
    char32_t code = 0;
    const int length = SequenceLength(static_cast<unsigned char>(utf8[position]), code);
    if (length == 0 || position + length > utf8.size()) {
        ++position;
        return replacement;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(utf8[position + i]);
        if ((next & 0xC0) != 0x80) {
            ++position;
            return replacement;
        }
        code = (code << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> smallest = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++position;
        return replacement;
    }
    position += length;
    return code;
}

}  // namespace

std::u16string FromUtf8(std::string_view utf8)
{
    std::u16string text;
    text.reserve(utf8.size());
    for (std::size_t position = 0; position < utf8.size();) {
        const char32_t code = DecodeAt(utf8, position);
        if (code < 0x10000) {
            text.push_back(static_cast<char16_t>(code));
        } else {
            text.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
    }
    return text;
}

std::string ToWindows1252(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A character beyond the basic plane is one character, and one "?".
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            ++i;
        bytes.push_back(ToByte(text[i]));
    }
    return bytes;
}

}  // namespace tabulor

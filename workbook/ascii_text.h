// Text helpers of the workbook layer, its face included: the ASCII case folding that package names, content
// types, number format codes and the face's workbook extensions compare by, hexadecimal digits,
// runs of decimal digits, a character written in UTF-8, and a number read from the whole of its
// text.
//
// Nothing here depends on a locale or knows case beyond ASCII: a file's names compare alike on
// every machine.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tabulor {

inline char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// The value of a hexadecimal digit, or -1.
inline int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f')
        return (c | 0x20) - 'a' + 10;
    return -1;
}

// A run of decimal digits at the front of a text: how many there are, and their value.
struct TDigitRun {
    std::size_t Count = 0;
    std::uint64_t Value = 0;
};

// Reads the decimal digits at the front of text, their value going on from `start` (value * 10 +
// digit each). All of them count, but once the value reaches Stop it takes no more, so that a run
// of any length leaves it at Stop or above without overflowing. Without a stop the value of a run
// past 19 digits wraps: a caller that reads such runs refuses them by their count, and the digits
// it reads, on the cells' path, pay for no comparison.
template <std::uint64_t Stop = 0>
constexpr TDigitRun ReadDigits(std::string_view text, std::uint64_t start = 0)
{
    TDigitRun run{0, start};
    for (; run.Count < text.size(); ++run.Count) {
        const auto digit = static_cast<unsigned char>(text[run.Count] - '0');
        if (digit > 9)
            break;
        if (Stop == 0 || run.Value < Stop)
            run.Value = run.Value * 10 + digit;
    }
    return run;
}

// Writes the character in UTF-8 at out and returns the end.
inline char* WriteUtf8(char32_t c, char* out)
{
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// The decimal number the text spells, all of it (no space, no sign but '-'); none otherwise.
inline std::optional<double> ReadNumber(std::string_view text)
{
    double number = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || rest != end)
        return std::nullopt;
    return number;
}

}  // namespace tabulor

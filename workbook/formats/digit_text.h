// What the renderers write figures with: digits two at a time, padded, or backwards from a
// buffer's end, the powers of ten that split a whole number's digits, and the texts a French
// figure holds besides its digits.
//
// It rounds nothing and chooses no digits: it writes the whole numbers it is given.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tabulor::formats {

// "00" to "99", for writing digits two at a time.
inline constexpr std::array<char, 200> DigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t n = 0; n < 100; ++n) {
        pairs[2 * n] = static_cast<char>('0' + n / 10);
        pairs[2 * n + 1] = static_cast<char>('0' + n % 10);
    }
    return pairs;
}();

// 10^n for n up to 19, as whole numbers.
inline constexpr std::array<std::uint64_t, 20> WholeTens = [] {
    std::array<std::uint64_t, 20> tens{};
    std::uint64_t ten = 1;
    for (std::uint64_t& entry : tens) {
        entry = ten;
        ten *= 10;
    }
    return tens;
}();

inline constexpr std::string_view NoBreakSpace = "\xC2\xA0";
// What a non-finite value shows: Excel's French #NUM!. Files never store one, formulas may.
inline constexpr std::string_view NotANumber = "#NOMBRE!";

// Appends a non-negative number with at least `width` digits.
inline void AppendPadded(std::uint64_t number, unsigned width, std::string& out)
{
    char digits[24];
    unsigned count = 0;
    do {
        digits[count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    for (; width > count; --width)
        out.push_back('0');
    while (count > 0)
        out.push_back(digits[--count]);
}

// Writes a whole number's digits backwards, ending at `end`, at least `least` of them; returns
// where they start.
inline char* WriteDigitsBackwards(std::uint64_t number, std::uint32_t least, char* end)
{
    char* const stop = end;
    for (; number >= 100; number /= 100) {
        end -= 2;
        std::memcpy(end, &DigitPairs[number % 100 * 2], 2);
    }
    if (number >= 10) {
        end -= 2;
        std::memcpy(end, &DigitPairs[number * 2], 2);
    } else if (number != 0) {
        *--end = static_cast<char>('0' + number);
    }
    while (stop - end < static_cast<std::ptrdiff_t>(least))
        *--end = '0';
    return end;
}

}  // namespace tabulor::formats

// Numbers as a file's decimal text holds them: the powers of ten a double keeps exactly, and the
// plain decimals that cells store ("-1234.56") read without the general reader's detours.
//
// It reads nothing that ReadNumber would not, and gives the same double for what it reads.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "workbook/ascii_text.h"

namespace tabulor::formats {

inline constexpr std::array<double, 23> ExactTens = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// What ReadNumber gives. Digits with at most one point among them and a whole below 2^53 make
// an exact whole divided by an exact power of ten, which one correctly rounded division gives
// as the general reader does; anything else goes to it.
inline std::optional<double> ReadStoredNumber(std::string_view text)
{
    const bool negative = !text.empty() && text[0] == '-';
    std::string_view rest = text.substr(negative ? 1 : 0);
    TDigitRun whole = ReadDigits(rest);
    rest.remove_prefix(whole.Count);
    std::size_t places = 0;
    if (whole.Count != 0 && !rest.empty() && rest[0] == '.') {
        const TDigitRun decimals = ReadDigits(rest.substr(1), whole.Value);
        places = decimals.Count;
        whole = {whole.Count + places, decimals.Value};
        rest.remove_prefix(1 + places);
    }
    if (!rest.empty() || whole.Count == 0 || whole.Count > 19 || whole.Value > std::uint64_t{1} << 53
        || places >= ExactTens.size())
        return ReadNumber(text);
    const double magnitude = static_cast<double>(whole.Value) / ExactTens[places];
    return negative ? -magnitude : magnitude;
}

}  // namespace tabulor::formats

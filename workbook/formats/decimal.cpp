// Digits of a value: the short search first, the shortest round-tripping text of the standard
// library for the rest.
#include "workbook/formats/decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

#include "workbook/ascii_text.h"
#include "workbook/formats/stored_number.h"

namespace tabulor::formats {

double TenTo(int power)
{
    static constexpr double Tenths[] = {1e0,   1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                        1e-8,  1e-9,  1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15,
                                        1e-16, 1e-17, 1e-18, 1e-19, 1e-20, 1e-21, 1e-22};
    if (power >= 0 && power < static_cast<int>(ExactTens.size()))
        return ExactTens[static_cast<std::size_t>(power)];
    if (power < 0 && power > -static_cast<int>(std::size(Tenths)))
        return Tenths[static_cast<std::size_t>(-power)];
    return std::pow(10.0, power);
}

bool FindShortDecimal(double magnitude, int firstPlaces, std::uint64_t& whole, int& places)
{
    for (places = firstPlaces; places < static_cast<int>(ExactTens.size()); ++places) {
        const double scaled = magnitude * ExactTens[static_cast<std::size_t>(places)];
        if (!(scaled < 1e15))
            return false;
        whole = static_cast<std::uint64_t>(scaled + 0.5);
        if (whole != 0 && static_cast<double>(whole) / ExactTens[static_cast<std::size_t>(places)] == magnitude)
            return true;
    }
    return false;
}

namespace {

bool ReadShortDecimal(double magnitude, TDecimal& decimal)
{
    std::uint64_t whole = 0;
    int places = 0;
    if (!FindShortDecimal(magnitude, 0, whole, places))
        return false;
    char reversed[16];
    int count = 0;
    for (std::uint64_t rest = whole; rest != 0; rest /= 10)
        reversed[count++] = static_cast<char>('0' + rest % 10);
    decimal.Exponent = count - 1 - places;
    int zeros = 0;
    while (reversed[zeros] == '0')
        ++zeros;
    for (int at = count - 1; at >= zeros; --at)
        decimal.Digits[static_cast<std::size_t>(decimal.Count++)] = reversed[at];
    return true;
}

}  // namespace

TDecimal DecimalOf(double magnitude)
{
    TDecimal decimal;
    if (magnitude == 0 || ReadShortDecimal(magnitude, decimal))
        return decimal;
    // The shortest text that reads back as the value is its rounding to 15 digits whenever it
    // has no more: a double's own spacing is finer than that rounding's. It is also the faster.
    char text[32];
    char* end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific).ptr;
    if (std::find(text, end, 'e') - text > 16)
        end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14).ptr;
    const char* at = text;
    decimal.Digits[decimal.Count++] = *at++;
    for (at += *at == '.' ? 1 : 0; *at != 'e'; ++at)
        decimal.Digits[decimal.Count++] = *at;
    const auto exponent = static_cast<int>(ReadDigits({at + 2, end}).Value);
    decimal.Exponent = at[1] == '-' ? -exponent : exponent;
    while (decimal.Count > 0 && decimal.Digits[decimal.Count - 1] == '0')
        --decimal.Count;
    return decimal;
}

}  // namespace tabulor::formats

// A value's significant digits as Excel keeps them (15 at most), found by a short search for the
// whole number over a power of ten that most stored values are, else from the shortest text that
// gives the value back; and the powers of ten that scale a value, alike on every platform.
//
// It does not round to a format's places nor write anything: the renderers do.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tabulor::formats {

// A non-negative value's significant digits, at most the 15 that Excel keeps, without trailing
// zeros: Digits[0] stands at the place 10^Exponent. No digits is zero.
struct TDecimal {
    std::array<char, 16> Digits;  // left unset past Count: formatting a value makes several
    int Count = 0;
    int Exponent = 0;

    char DigitAt(long long place) const
    {
        const long long index = Exponent - place;
        return index >= 0 && index < Count ? Digits[static_cast<std::size_t>(index)] : '0';
    }
    long long IntegerLength() const { return Count == 0 || Exponent < 0 ? 0 : Exponent + 1; }
    long long LowestPlace() const { return Exponent - Count + 1; }
};

// The digits of a finite, non-negative value.
TDecimal DecimalOf(double magnitude);

// The value as whole / 10^places, whole below 10^15 and not zero, at the fewest places from
// firstPlaces up that give the value back: the common case (counts, prices, dates' serials),
// found without formatting it. Two decimals of at most 15 significant digits never give the same
// double, so that this is the value's shortest text and its rounding to 15 digits alike, whatever
// places the search starts from.
bool FindShortDecimal(double magnitude, int firstPlaces, std::uint64_t& whole, int& places);

// 10^power as the nearest double, alike on every platform: a library's pow may miss it by a unit in
// the last place (mingw-w64's does for most negative powers), which would show in the last digit
// of a figure scaled by a percent or a thousands comma.
double TenTo(int power);

}  // namespace tabulor::formats

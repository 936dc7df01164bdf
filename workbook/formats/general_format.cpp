// General: the value at 15 significant digits, in French, switching to scientific notation past
// 10^15 and below 10^-5; a whole number over a power of ten, which most values are, written
// without going through its digits.
#include "workbook/formats/general_format.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "workbook/formats/decimal.h"
#include "workbook/formats/digit_text.h"

namespace tabulor::formats {
namespace {

// General for a value that is a whole number over a power of ten, as FormatGeneralDigits writes
// it; false for any other, and for one that shows in scientific notation.
bool FormatShortGeneral(double value, std::string& out)
{
    std::uint64_t whole = 0;
    int places = 0;
    if (!FindShortDecimal(std::fabs(value), 0, whole, places))
        return false;
    // Its first digit at 10^-6 or below.
    if (places > 5 && whole < WholeTens[static_cast<std::size_t>(places - 5)])
        return false;
    char text[48];
    char* const end = text + sizeof text;
    char* first = end;
    // Past 16 places the whole, below 10^15, is all decimals.
    const std::uint64_t ten = WholeTens[static_cast<std::size_t>(std::min(places, 16))];
    std::uint64_t fraction = whole % ten;
    int kept = places;
    while (kept > 0 && fraction % 10 == 0) {
        fraction /= 10;
        --kept;
    }
    if (kept > 0) {
        first = WriteDigitsBackwards(fraction, static_cast<std::uint32_t>(kept), first);
        *--first = ',';
    }
    first = WriteDigitsBackwards(whole / ten, 1, first);
    if (value < 0)
        *--first = '-';
    out.append(first, end);
    return true;
}

}  // namespace

void FormatGeneralDigits(double value, std::string& out)
{
    if (!std::isfinite(value)) {
        out += NotANumber;
        return;
    }
    const TDecimal decimal = DecimalOf(std::fabs(value));
    if (decimal.Count == 0) {
        out.push_back('0');
        return;
    }
    if (value < 0)
        out.push_back('-');
    if (decimal.Exponent >= 15 || decimal.Exponent < -5) {
        out.push_back(decimal.Digits[0]);
        if (decimal.Count > 1) {
            out.push_back(',');
            out.append(decimal.Digits.data() + 1, static_cast<std::size_t>(decimal.Count - 1));
        }
        out += decimal.Exponent < 0 ? "E-" : "E+";
        AppendPadded(static_cast<unsigned>(std::abs(decimal.Exponent)), 2, out);
        return;
    }
    if (decimal.IntegerLength() == 0)
        out.push_back('0');
    for (long long place = decimal.IntegerLength() - 1; place >= 0; --place)
        out.push_back(decimal.DigitAt(place));
    if (decimal.LowestPlace() < 0) {
        out.push_back(',');
        for (long long place = -1; place >= decimal.LowestPlace(); --place)
            out.push_back(decimal.DigitAt(place));
    }
}

void FormatGeneral(double value, std::string& out)
{
    if (!FormatShortGeneral(value, out))
        FormatGeneralDigits(value, out);
}

}  // namespace tabulor::formats

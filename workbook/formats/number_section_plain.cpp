// The plain number sections' shortcut: the value rounded once to a whole number of its shown
// units, as the general renderer rounds its digits, and written backwards from the buffer's end
// with its literals, its thousands and its sign.
#include "workbook/formats/number_section.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "workbook/formats/decimal.h"
#include "workbook/formats/digit_text.h"

namespace tabulor::formats {
namespace {

// Writes a whole number as WriteDigitsBackwards does, with a no-break space between thousands.
char* WriteGroupedBackwards(std::uint64_t number, std::uint32_t least, char* end)
{
    for (;; least = least > 3 ? least - 3 : 0) {
        const std::uint64_t group = number % 1000;
        number /= 1000;
        if (number == 0 && least <= 3)
            return WriteDigitsBackwards(group, least, end);
        end = WriteDigitsBackwards(group, 3, end);
        end -= NoBreakSpace.size();
        std::memcpy(end, NoBreakSpace.data(), NoBreakSpace.size());
    }
}

// The longest literal on either side of a plain number, which is written on the stack.
constexpr std::uint32_t PlainLiteralRoom = 32;

// The value in units of 10^-decimals, rounded half away from zero on its decimal digits as the
// general renderer rounds them: the search from `decimals` places up finds the same decimal as
// its digits, and the first dropped digit is 5 or more exactly when the dropped rest is half a
// unit or more.
bool ShownUnits(double magnitude, std::uint32_t decimals, std::uint64_t& units)
{
    std::uint64_t whole = 0;
    int places = 0;
    if (!FindShortDecimal(magnitude, static_cast<int>(decimals), whole, places))
        return false;
    // Past 16 dropped places the whole, below 10^15, is less than half a unit.
    const int dropped = std::min(places - static_cast<int>(decimals), 16);
    const std::uint64_t divisor = WholeTens[static_cast<std::size_t>(dropped)];
    units = whole / divisor + (dropped != 0 && whole % divisor >= divisor / 2 ? 1 : 0);
    return true;
}

}  // namespace

void FindPlainNumber(const TParsedFormat& format, TSection& section)
{
    if (section.Kind != TSectionKind::Number || section.Scientific || section.Fraction || section.HasGeneral ||
        section.IntegerDigits == 0 || section.DecimalDigits > 15)
        return;
    const TToken* token = format.Tokens.data() + section.First;
    const TToken* const last = token + section.Count;
    const auto isDigit = [&](TField field) {
        return token != last && token->Kind == TTokenKind::Digit && token->Field == field;
    };
    const auto isShortLiteral = [&] {
        return token != last && token->Kind == TTokenKind::Literal && token->Length <= PlainLiteralRoom;
    };
    if (isShortLiteral())
        ++token;
    std::uint32_t zeros = 0;
    for (std::uint32_t digit = 0; digit < section.IntegerDigits; ++digit, ++token) {
        if (!isDigit(TField::Integer) || (token->Placeholder != '0' && (token->Placeholder != '#' || zeros != 0)))
            return;
        zeros += token->Placeholder == '0' ? 1 : 0;
    }
    if (token != last && token->Kind == TTokenKind::Point) {
        if (section.DecimalDigits == 0)
            return;
        for (++token; isDigit(TField::Decimals); ++token)
            if (token->Placeholder != '0')
                return;
    }
    if (isShortLiteral())
        ++token;
    // Zeros past what the stack buffer holds are nothing a sheet asks for.
    if (token != last || zeros > 30)
        return;
    section.PlainNumber = true;
    section.ZeroDigits = zeros;
}

bool FormatPlainNumber(const TParsedFormat& format, const TSection& section, double value, std::string& out)
{
    double magnitude = std::fabs(value);
    if (section.TenPower != 0 && magnitude != 0)
        magnitude *= TenTo(section.TenPower);
    std::uint64_t units = 0;
    if (magnitude != 0 && !ShownUnits(magnitude, section.DecimalDigits, units))
        return false;
    // Written backwards in one piece: the suffix, the digits (units below 10^15 make 16 integer
    // digits at most, or the zeros asked for, with their spaces), the prefix, the sign.
    char text[2 * PlainLiteralRoom + 96];
    char* const end = text + sizeof text;
    char* first = end;
    const TToken& prefix = format.Tokens[section.First];
    const TToken& suffix = format.Tokens[section.First + section.Count - 1];
    if (suffix.Kind == TTokenKind::Literal) {
        first -= suffix.Length;
        std::memcpy(first, format.Pool.data() + suffix.Offset, suffix.Length);
    }
    std::uint64_t integer = units;
    if (section.DecimalDigits != 0) {
        const std::uint64_t ten = WholeTens[section.DecimalDigits];
        first = WriteDigitsBackwards(units % ten, section.DecimalDigits, first);
        *--first = ',';
        integer /= ten;
    }
    first = section.Thousands ? WriteGroupedBackwards(integer, section.ZeroDigits, first)
                              : WriteDigitsBackwards(integer, section.ZeroDigits, first);
    if (prefix.Kind == TTokenKind::Literal) {
        first -= prefix.Length;
        std::memcpy(first, format.Pool.data() + prefix.Offset, prefix.Length);
    }
    if (value < 0 && units != 0)
        *--first = '-';
    out.append(first, end);
    return true;
}

}  // namespace tabulor::formats

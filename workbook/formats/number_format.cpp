// A value under a parsed format: the section it falls in, which the number or date renderer
// then writes; the plain number sections' shortcut; General; the built-in codes.
#include "workbook/formats/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "workbook/formats/number_format_parts.h"

namespace tabulor {
namespace {

using formats::AppendPadded;
using formats::NotANumber;
using formats::TCompare;
using formats::NoBreakSpace;
using formats::TDecimal;
using formats::TField;
using formats::WholeTens;
using formats::TParsedFormat;
using formats::TSection;
using formats::TSectionKind;
using formats::TToken;
using formats::TTokenKind;

bool Matches(const TSection& section, double value)
{
    switch (section.Compare) {
    case TCompare::Less:
        return value < section.Limit;
    case TCompare::LessEqual:
        return value <= section.Limit;
    case TCompare::Greater:
        return value > section.Limit;
    case TCompare::GreaterEqual:
        return value >= section.Limit;
    case TCompare::Equal:
        return value == section.Limit;
    case TCompare::NotEqual:
        return value != section.Limit;
    default:
        return true;
    }
}

// A section whose condition takes negative numbers only is their negative section.
bool KeepsSign(const TSection& section)
{
    return !((section.Compare == TCompare::Less || section.Compare == TCompare::LessEqual) && section.Limit <= 0);
}

struct TChoice {
    const TSection* Section = nullptr;  // none: the value shows as General
    bool KeepsSign = true;              // else the section shows the value without its sign
};

// Without conditions: one section for all, or positive and zero; negative; or positive;
// negative; zero. With them, the first two sections that match, then the one after them.
TChoice ChooseSection(const TParsedFormat& format, double value)
{
    const auto section = [&](int i) {
        return i < format.NumberSectionCount ? &format.Sections[format.NumberSections[i]] : nullptr;
    };
    const TSection* const first = section(0);
    const TSection* const second = section(1);
    if (first == nullptr)
        return {};
    if (first->Compare != TCompare::None || (second != nullptr && second->Compare != TCompare::None)) {
        if (first->Compare != TCompare::None && Matches(*first, value))
            return {first, KeepsSign(*first)};
        if (second == nullptr || second->Compare == TCompare::None)
            return {second, true};
        if (Matches(*second, value))
            return {second, KeepsSign(*second)};
        return {first->Compare == TCompare::None ? first : section(2), true};
    }
    if (second == nullptr || value > 0 || (value == 0 && format.NumberSectionCount == 2))
        return {first, true};
    if (value < 0)
        return {second, false};
    return {section(2), true};
}

// Writes a whole number's digits backwards, ending at `end`, at least `least` of them; returns
// where they start.
char* WriteDigitsBackwards(std::uint64_t number, std::uint32_t least, char* end)
{
    char* const stop = end;
    for (; number >= 100; number /= 100) {
        end -= 2;
        std::memcpy(end, &formats::DigitPairs[number % 100 * 2], 2);
    }
    if (number >= 10) {
        end -= 2;
        std::memcpy(end, &formats::DigitPairs[number * 2], 2);
    } else if (number != 0) {
        *--end = static_cast<char>('0' + number);
    }
    while (stop - end < static_cast<std::ptrdiff_t>(least))
        *--end = '0';
    return end;
}

// Likewise with a no-break space between thousands.
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
    if (!formats::FindShortDecimal(magnitude, static_cast<int>(decimals), whole, places))
        return false;
    // Past 16 dropped places the whole, below 10^15, is less than half a unit.
    const int dropped = std::min(places - static_cast<int>(decimals), 16);
    const std::uint64_t divisor = WholeTens[static_cast<std::size_t>(dropped)];
    units = whole / divisor + (dropped != 0 && whole % divisor >= divisor / 2 ? 1 : 0);
    return true;
}

// General for a value that is a whole number over a power of ten, as FormatGeneralDigits writes
// it; false for any other, and for one that shows in scientific notation.
bool FormatShortGeneral(double value, std::string& out)
{
    std::uint64_t whole = 0;
    int places = 0;
    if (!formats::FindShortDecimal(std::fabs(value), 0, whole, places))
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

namespace formats {

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

void FormatValue(const TParsedFormat& format, bool date1904, double value, TRendering rendering, std::string& out)
{
    if (format.General || !std::isfinite(value))
        return FormatGeneral(value, out);
    const TChoice choice = ChooseSection(format, value);
    if (choice.Section == nullptr)
        return FormatGeneral(value, out);
    const TSection& section = *choice.Section;
    const double shown = choice.KeepsSign ? value : std::fabs(value);
    const bool shortcuts = rendering == TRendering::Shortcuts;
    if (section.Kind != TSectionKind::Date) {
        if (!(shortcuts && section.PlainNumber && FormatPlainNumber(format, section, shown, out)))
            FormatNumberSection(format, section, shown, out);
        return;
    }
    if (shortcuts && section.PlainDate && FormatPlainDate(format, section, shown, date1904, out))
        return;
    if (!FormatDate(format, section, shown, date1904, out))
        FormatGeneral(value, out);
}

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

}  // namespace formats

std::string_view BuiltInFormatCode(unsigned id)
{
    switch (id) {
    case 1: return "0";
    case 2: return "0.00";
    case 3: return "#,##0";
    case 4: return "#,##0.00";
    case 9: return "0%";
    case 10: return "0.00%";
    case 11: return "0.00E+00";
    case 12: return "# ?/?";
    case 13: return "# ?\?/?\?";
    case 14: return "dd/mm/yyyy";
    case 15: return "d-mmm-yy";
    case 16: return "d-mmm";
    case 17: return "mmm-yy";
    case 18: return "h:mm AM/PM";
    case 19: return "h:mm:ss AM/PM";
    case 20: return "h:mm";
    case 21: return "h:mm:ss";
    case 22: return "dd/mm/yyyy hh:mm";
    case 37: return "#,##0 ;(#,##0)";
    case 38: return "#,##0 ;[Red](#,##0)";
    case 39: return "#,##0.00;(#,##0.00)";
    case 40: return "#,##0.00;[Red](#,##0.00)";
    case 45: return "mm:ss";
    case 46: return "[h]:mm:ss";
    case 47: return "mmss.0";
    case 48: return "##0.0E+0";
    case 49: return "@";
    default: return {};
    }
}

struct TNumberFormat::TParsed {
    TParsedFormat Format;
    bool Date1904 = false;
};

TNumberFormat::TNumberFormat(std::string_view code, bool date1904)
    : Parsed(std::make_unique<TParsed>(TParsed{formats::ParseFormat(code), date1904}))
{
}

TNumberFormat::~TNumberFormat() = default;
TNumberFormat::TNumberFormat(TNumberFormat&&) noexcept = default;
TNumberFormat& TNumberFormat::operator=(TNumberFormat&&) noexcept = default;

void TNumberFormat::FormatNumber(double value, std::string& out) const
{
    formats::FormatValue(Parsed->Format, Parsed->Date1904, value, formats::TRendering::Shortcuts, out);
}

void TNumberFormat::FormatText(std::string_view text, std::string& out) const
{
    const TParsedFormat& format = Parsed->Format;
    if (format.TextSection < 0) {
        out += text;
        return;
    }
    const TSection& section = format.Sections[format.TextSection];
    const TToken* const first = format.Tokens.data() + section.First;
    for (const TToken* token = first; token != first + section.Count; ++token) {
        if (token->Kind == TTokenKind::Literal)
            out.append(format.Pool, token->Offset, token->Length);
        else if (token->Kind == TTokenKind::Text)
            out += text;
    }
}

void FormatGeneral(double value, std::string& out)
{
    if (!FormatShortGeneral(value, out))
        formats::FormatGeneralDigits(value, out);
}

}  // namespace tabulor

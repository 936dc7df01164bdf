// The parsed form of a number format code, shared by its parser and its renderers (numbers in
// number_format.cpp, dates and times in date_format.cpp). Internal to the workbook library.
//
// It does not choose a section nor round anything: the renderers do.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tabulor::formats {

enum class TTokenKind : std::uint8_t {
    Literal,   // Pool[Offset, Offset + Length)
    Digit,     // a placeholder 0 # ? of a field, at Position
    Point,     // the decimal comma
    Exponent,  // E+ (Placeholder '+') or E- (Placeholder '-'); its digits follow as a field
    General,   // the value as General
    Text,      // @, the text of a text cell
    Year,      // Position: letter count, here and below
    Month,
    MonthName,
    Day,
    DayName,
    Hour,
    Minute,
    Second,
    SubSecond,
    ElapsedHours,
    ElapsedMinutes,
    ElapsedSeconds,
    AmPm,  // Pool[Offset, +Length) before noon, Pool[Offset + Length, +Length) after
};

// The field a digit placeholder shows. Integer, numerator and exponent digits align right,
// denominator digits left, decimals from the comma.
enum class TField : std::uint8_t { Integer, Decimals, Numerator, Denominator, Exponent };

struct TToken {
    TTokenKind Kind = TTokenKind::Literal;
    char Placeholder = 0;
    // On a literal: Numerator when it stands inside a fraction, which a whole number blanks.
    TField Field = TField::Integer;
    std::uint32_t Position = 0;
    std::uint32_t Offset = 0;
    std::uint32_t Length = 0;
};

enum class TSectionKind : std::uint8_t { Number, Date, Text };
enum class TCompare : std::uint8_t { None, Less, LessEqual, Greater, GreaterEqual, Equal, NotEqual };

struct TSection {
    std::uint32_t First = 0;  // tokens [First, First + Count)
    std::uint32_t Count = 0;
    TSectionKind Kind = TSectionKind::Number;
    TCompare Compare = TCompare::None;
    double Limit = 0;
    bool HasGeneral = false;
    // Numbers: each % multiplies by 100 (+2), each scaling comma divides by 1000 (-3).
    int TenPower = 0;
    bool Thousands = false;
    bool Scientific = false;
    bool Fraction = false;
    std::uint32_t IntegerDigits = 0;
    std::uint32_t DecimalDigits = 0;
    std::uint32_t NumeratorDigits = 0;
    std::uint32_t DenominatorDigits = 0;
    std::uint32_t ExponentDigits = 0;
    std::uint32_t FixedDenominator = 0;
    bool HashMantissa = false;  // the mantissa's integer digits hold a #: exponent in steps of them
    // Dates and times.
    std::uint32_t SubSecondDigits = 0;
    bool TwelveHour = false;
    // The shapes most cells show, written without walking the tokens (FormatPlainNumber,
    // FormatPlainDate): found once per format, since the general renderers cost far more a value.
    bool PlainNumber = false;
    bool PlainDate = false;
    std::uint32_t ZeroDigits = 0;  // a plain number's least integer digits, its 0 placeholders
};

struct TParsedFormat {
    std::string Pool;
    std::vector<TToken> Tokens;
    std::array<TSection, 4> Sections{};
    int SectionCount = 0;
    int TextSection = -1;  // the section holding @, else the fourth one; -1 when none
    std::array<int, 3> NumberSections{};  // the others, in order
    int NumberSectionCount = 0;
    bool General = false;  // the whole code is General
};

TParsedFormat ParseFormat(std::string_view code);

// Whether the general renderers alone write a value, which the shortcuts must match byte for byte.
enum class TRendering : std::uint8_t { Shortcuts, GeneralOnly };

// Appends a value's text under the format, as TNumberFormat::FormatNumber does.
void FormatValue(const TParsedFormat& format, bool date1904, double value, TRendering rendering, std::string& out);

// Marks a section as plain when it is [literal] integer placeholders (# then 0, with or without
// thousands), [the comma and 0 decimals] [literal], or dates of nothing but days, months, years
// and literals.
void FindPlainNumber(const TParsedFormat& format, TSection& section);
void FindPlainDate(const TParsedFormat& format, TSection& section);

// Appends the date or time of a serial; false, appending nothing, when it is no date (negative,
// or past 31 December 9999).
bool FormatDate(const TParsedFormat& format, const TSection& section, double serial, bool date1904,
                std::string& out);

// Appends a number section's text for a value: its sign when negative, unless nothing but
// zeros shows.
void FormatNumberSection(const TParsedFormat& format, const TSection& section, double value, std::string& out);

// What FormatNumberSection and FormatDate append, for a plain section, from whole numbers; false,
// appending nothing, for any value they cannot show exactly so, which goes to the general renderer.
bool FormatPlainNumber(const TParsedFormat& format, const TSection& section, double value, std::string& out);
bool FormatPlainDate(const TParsedFormat& format, const TSection& section, double serial, bool date1904,
                     std::string& out);

// The General text of a finite value from its digits, whatever they are; FormatGeneral first tries
// the whole number over a power of ten that most values are.
void FormatGeneralDigits(double value, std::string& out);

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

}  // namespace tabulor::formats

// The parsed form of a number format code: its sections, each a run of tokens over one pool of
// literal text, with what the renderers need to know of each. ParseFormat (format_parser.h)
// makes it; the number and date renderers (number_section.h, date_section.h) read it.
//
// It does not choose a section nor round anything: the renderers do.
#pragma once

#include <array>
#include <cstdint>
#include <string>
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

}  // namespace tabulor::formats

// The placeholders of a number section (digits, the decimal comma, thousands and scaling commas,
// percent, exponent, fraction bar) and the letters of a date one (years to seconds, fractions of a
// second, AM/PM) read into tokens; then each digit numbered within its field, and each m told
// apart as month or minutes.
#include "workbook/formats/format_parser.h"

#include <algorithm>

namespace tabulor::formats {
namespace {

bool IsPlaceholder(char c) { return c == '0' || c == '#' || c == '?'; }

}  // namespace

void TSectionParser::TakeNumber(bool afterPlaceholder)
{
    const char c = Code[At];
    const char next = At + 1 < Code.size() ? Code[At + 1] : '\0';
    if (IsPlaceholder(c)) {
        static constexpr TField Fields[] = {TField::Integer, TField::Decimals, TField::Denominator,
                                            TField::Exponent};
        AddToken({.Kind = TTokenKind::Digit, .Placeholder = c, .Field = Fields[static_cast<int>(Part)]});
        AfterPlaceholder = true;
        ++At;
    } else if (c >= '1' && c <= '9' && Part == TPart::Denominator && Code[At - 1] == '/') {
        TakeFixedDenominator();
    } else if (c == '.' && Part == TPart::Integer && !Section.Fraction) {
        AddToken({.Kind = TTokenKind::Point});
        Part = TPart::Decimals;
        ++At;
    } else if (c == ',' && afterPlaceholder && (Part == TPart::Integer || Part == TPart::Decimals)) {
        // Between integer digits it separates thousands; after the last digits it scales.
        if (Part == TPart::Integer && IsPlaceholder(next))
            Section.Thousands = true;
        else
            Section.TenPower -= 3;
        AfterPlaceholder = true;
        ++At;
    } else if (c == '%') {
        Section.TenPower += 2;
        TakeChar();
    } else if ((c == 'E' || c == 'e') && (next == '+' || next == '-') &&
               (Part == TPart::Integer || Part == TPart::Decimals) && HasDigits()) {
        AddToken({.Kind = TTokenKind::Exponent, .Placeholder = next});
        Section.Scientific = true;
        Part = TPart::Exponent;
        At += 2;
    } else if (c == '/' && afterPlaceholder && Part == TPart::Integer &&
               (IsPlaceholder(next) || (next >= '1' && next <= '9'))) {
        TakeFractionBar();
    } else {
        TakeChar();
    }
}

bool TSectionParser::HasDigits() const
{
    for (std::size_t i = Section.First; i < Format.Tokens.size(); ++i)
        if (Format.Tokens[i].Kind == TTokenKind::Digit)
            return true;
    return false;
}

// The digits just before the bar become the numerator; those before them, if any, the whole
// number.
void TSectionParser::TakeFractionBar()
{
    for (std::size_t i = Format.Tokens.size(); i > Section.First; --i) {
        TToken& token = Format.Tokens[i - 1];
        if (token.Kind != TTokenKind::Digit || token.Field != TField::Integer)
            break;
        token.Field = TField::Numerator;
    }
    Section.Fraction = true;
    Part = TPart::Denominator;
    AddText("/", TField::Numerator);
    ++At;
}

void TSectionParser::TakeFixedDenominator()
{
    // Past its first nine digits a denominator grows no more, so that it fits the section's 32 bits.
    const TDigitRun run = ReadDigits<100'000'000>(Code.substr(At));
    Section.FixedDenominator = static_cast<std::uint32_t>(run.Value);
    AddText(Code.substr(At, run.Count), TField::Numerator);
    At += run.Count;
}

void TSectionParser::TakeDate()
{
    const char c = LowerAscii(Code[At]);
    if (StartsWithNoCase(Code, At, "AM/PM")) {
        AddAmPm("AMPM", 5);
    } else if (StartsWithNoCase(Code, At, "A/P")) {
        const char letters[] = {Code[At], Code[At + 2]};
        AddAmPm({letters, 2}, 3);
    } else if (c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 's') {
        std::uint32_t count = 0;
        for (; At < Code.size() && LowerAscii(Code[At]) == c; ++At)
            ++count;
        AddToken(DatePart(c, count));
    } else if (c == '.' && At + 1 < Code.size() && Code[At + 1] == '0') {
        std::uint32_t count = 0;
        for (++At; At < Code.size() && Code[At] == '0' && count < 3; ++At)
            ++count;
        AddToken({.Kind = TTokenKind::SubSecond, .Position = count});
        Section.SubSecondDigits = std::max(Section.SubSecondDigits, count);
    } else {
        TakeChar();
    }
}

TToken TSectionParser::DatePart(char letter, std::uint32_t count)
{
    switch (letter) {
    case 'y':
        return {.Kind = TTokenKind::Year, .Position = count <= 2 ? 2u : 4u};
    case 'm':
        return {.Kind = count <= 2 ? TTokenKind::Month : TTokenKind::MonthName, .Position = count};
    case 'd':
        return {.Kind = count <= 2 ? TTokenKind::Day : TTokenKind::DayName, .Position = count};
    case 'h':
        return {.Kind = TTokenKind::Hour, .Position = std::min(count, 2u)};
    default:
        return {.Kind = TTokenKind::Second, .Position = std::min(count, 2u)};
    }
}

void TSectionParser::AddAmPm(std::string_view texts, std::size_t codeLength)
{
    const auto offset = static_cast<std::uint32_t>(Format.Pool.size());
    Format.Pool += texts;
    AddToken({.Kind = TTokenKind::AmPm, .Offset = offset,
              .Length = static_cast<std::uint32_t>(texts.size() / 2)});
    Section.TwelveHour = true;
    At += codeLength;
}

// m and mm are minutes right after hours or right before seconds, the month otherwise.
void TSectionParser::FinishDate()
{
    const auto isDatePart = [](const TToken& t) { return t.Kind != TTokenKind::Literal; };
    TToken* previous = nullptr;
    TToken* const first = Format.Tokens.data() + Section.First;
    TToken* const last = first + Section.Count;
    for (TToken* token = first; token != last; ++token) {
        if (!isDatePart(*token))
            continue;
        if (token->Kind == TTokenKind::Month) {
            TToken* next = token + 1;
            while (next != last && !isDatePart(*next))
                ++next;
            const bool afterHours = previous != nullptr && (previous->Kind == TTokenKind::Hour ||
                                                            previous->Kind == TTokenKind::ElapsedHours);
            const bool beforeSeconds = next != last && (next->Kind == TTokenKind::Second ||
                                                        next->Kind == TTokenKind::ElapsedSeconds);
            if (afterHours || beforeSeconds)
                token->Kind = TTokenKind::Minute;
        }
        previous = token;
    }
}

// Numbers each placeholder within its field: from the right for integers, numerators and
// exponents, from the left for denominators, from 1 after the comma for decimals.
void TSectionParser::PlaceDigits()
{
    std::array<std::uint32_t, 5> counts{};
    TToken* const first = Format.Tokens.data() + Section.First;
    for (TToken* token = first; token != first + Section.Count; ++token)
        if (token->Kind == TTokenKind::Digit)
            ++counts[static_cast<int>(token->Field)];
    std::array<std::uint32_t, 5> seen{};
    for (TToken* token = first; token != first + Section.Count; ++token) {
        if (token->Kind != TTokenKind::Digit)
            continue;
        const int field = static_cast<int>(token->Field);
        const std::uint32_t index = seen[field]++;
        if (token->Field == TField::Decimals)
            token->Position = index + 1;
        else if (token->Field == TField::Denominator)
            token->Position = index;
        else
            token->Position = counts[field] - 1 - index;
        Section.HashMantissa = Section.HashMantissa ||
                               (Section.Scientific && token->Field == TField::Integer && token->Placeholder == '#');
    }
    Section.IntegerDigits = counts[static_cast<int>(TField::Integer)];
    Section.DecimalDigits = counts[static_cast<int>(TField::Decimals)];
    Section.NumeratorDigits = counts[static_cast<int>(TField::Numerator)];
    Section.DenominatorDigits = counts[static_cast<int>(TField::Denominator)];
    Section.ExponentDigits = counts[static_cast<int>(TField::Exponent)];
}

}  // namespace tabulor::formats

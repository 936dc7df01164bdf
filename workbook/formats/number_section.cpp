// A number section's fields for one value (its digits at Excel's 15 significant digits rounded
// half away from zero, a fraction's parts, a mantissa and its exponent), then its tokens written
// out in French.
#include "workbook/formats/number_section.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "workbook/formats/decimal.h"
#include "workbook/formats/digit_text.h"
#include "workbook/formats/general_format.h"

namespace tabulor::formats {
namespace {

// Keeps the places from 10^lowest up, rounding half away from zero.
void Round(TDecimal& decimal, long long lowest)
{
    const long long kept = decimal.Exponent - lowest + 1;
    if (kept >= decimal.Count)
        return;
    int count = kept < 0 ? 0 : static_cast<int>(kept);
    if (kept >= 0 && decimal.Digits[count] >= '5') {
        while (count > 0 && decimal.Digits[count - 1] == '9')
            --count;
        if (count == 0) {
            decimal.Digits[0] = '1';
            count = 1;
            ++decimal.Exponent;
        } else {
            ++decimal.Digits[count - 1];
        }
    }
    while (count > 0 && decimal.Digits[count - 1] == '0')
        --count;
    decimal.Count = count;
}

// One zero digit: what a field shows where it would otherwise show nothing.
TDecimal ZeroDigit()
{
    TDecimal decimal;
    decimal.Digits[0] = '0';
    decimal.Count = 1;
    return decimal;
}

// What the fields of a number section show for one value.
struct TShown {
    TDecimal Value;  // the integer and decimal digits, the mantissa, or a fraction's whole part
    TDecimal Numerator;
    TDecimal Denominator;
    TDecimal Exponent;
    bool NegativeExponent = false;
    bool BlankFraction = false;  // a whole number under a fraction with a whole part
    bool Zero = false;           // nothing but zeros shown: no minus sign
};

// The fraction closest to x whose denominator is at most maxDenominator, from the continued
// fraction of x and its last semiconvergent.
void Approximate(double x, double maxDenominator, double& numerator, double& denominator)
{
    double p0 = 0, q0 = 1, p1 = 1, q1 = 0;
    double rest = x;
    for (int step = 0; step < 64; ++step) {
        const double term = std::floor(rest);
        const double p2 = term * p1 + p0;
        const double q2 = term * q1 + q0;
        if (q2 > maxDenominator) {
            const double k = std::floor((maxDenominator - q0) / q1);
            const double p = p0 + k * p1;
            const double q = q0 + k * q1;
            if (std::fabs(x - p / q) < std::fabs(x - p1 / q1)) {
                p1 = p;
                q1 = q;
            }
            break;
        }
        p0 = p1, q0 = q1, p1 = p2, q1 = q2;
        if (rest - term < 1e-12)
            break;
        rest = 1 / (rest - term);
    }
    numerator = p1;
    denominator = q1;
}

void PrepareFraction(const TSection& section, double magnitude, TShown& shown)
{
    const bool whole = section.IntegerDigits > 0;
    double integer = whole ? std::floor(magnitude) : 0;
    const double part = magnitude - integer;
    double numerator = 0;
    double denominator = 1;
    if (section.FixedDenominator != 0) {
        denominator = section.FixedDenominator;
        // A huge value without a whole part would overflow: it shows the largest numerator.
        numerator = std::fmin(std::round(part * denominator), std::numeric_limits<double>::max());
    } else if (part < 1e15) {
        const double maxDenominator = std::pow(10.0, std::clamp(section.DenominatorDigits, 1u, 9u)) - 1;
        Approximate(part, maxDenominator, numerator, denominator);
    } else {
        numerator = std::round(part);
    }
    if (whole && numerator >= denominator) {
        integer += 1;
        numerator = 0;
    }
    shown.Value = DecimalOf(integer);
    shown.Numerator = DecimalOf(numerator);
    shown.Denominator = DecimalOf(denominator);
    shown.Zero = integer == 0 && numerator == 0;
    shown.BlankFraction = whole && numerator == 0;
    if (shown.BlankFraction && integer == 0)
        shown.Value = ZeroDigit();
    if (!whole && numerator == 0)
        shown.Numerator = ZeroDigit();
}

long long FloorDiv(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// The mantissa keeps as many integer digits as it has placeholders, or, when they hold a #,
// the exponent moves in steps of their count (engineering notation).
void PrepareScientific(const TSection& section, double magnitude, TShown& shown)
{
    TDecimal mantissa = DecimalOf(magnitude);
    shown.Zero = mantissa.Count == 0;
    if (shown.Zero) {
        shown.Value = mantissa;
        return;
    }
    const long long digits = std::max<long long>(1, section.IntegerDigits);
    const auto exponentOf = [&](long long first) {
        return section.HashMantissa && digits > 1 ? FloorDiv(first, digits) * digits : first - digits + 1;
    };
    const long long first = mantissa.Exponent;
    long long exponent = exponentOf(first);
    mantissa.Exponent = static_cast<int>(first - exponent);
    Round(mantissa, -static_cast<long long>(section.DecimalDigits));
    // Rounding up to a new leading digit (9,99 to 10,0) moves the exponent.
    if (mantissa.Exponent + exponent != first) {
        const long long carried = mantissa.Exponent + exponent;
        exponent = exponentOf(carried);
        mantissa.Exponent = static_cast<int>(carried - exponent);
    }
    shown.Value = mantissa;
    shown.NegativeExponent = exponent < 0;
    shown.Exponent = DecimalOf(static_cast<double>(exponent < 0 ? -exponent : exponent));
}

TShown PrepareNumber(const TSection& section, double magnitude)
{
    TShown shown;
    if (section.Fraction) {
        PrepareFraction(section, magnitude, shown);
    } else if (section.Scientific) {
        PrepareScientific(section, magnitude, shown);
    } else {
        shown.Value = DecimalOf(magnitude);
        Round(shown.Value, -static_cast<long long>(section.DecimalDigits));
        shown.Zero = shown.Value.Count == 0;
    }
    if (section.HasGeneral)
        shown.Zero = magnitude == 0;
    return shown;
}

void AppendDigit(char digit, long long place, bool thousands, std::string& out)
{
    out.push_back(digit);
    if (thousands && place > 0 && place % 3 == 0)
        out += NoBreakSpace;
}

// A digit of a field aligned on the right; the leftmost placeholder shows every digit beyond.
void AppendRightAligned(const TDecimal& field, long long count, const TToken& token, bool thousands,
                        std::string& out)
{
    const long long length = field.IntegerLength();
    const long long position = token.Position;
    if (position + 1 == count)
        for (long long place = length - 1; place >= count; --place)
            AppendDigit(field.DigitAt(place), place, thousands, out);
    if (position < length)
        AppendDigit(field.DigitAt(position), position, thousands, out);
    else if (token.Placeholder == '0')
        AppendDigit('0', position, thousands, out);
    else if (token.Placeholder == '?')
        out.push_back(' ');
}

void AppendDenominator(const TDecimal& field, long long count, const TToken& token, std::string& out)
{
    const long long length = field.IntegerLength();
    const long long position = token.Position;
    if (position < length)
        out.push_back(field.DigitAt(length - 1 - position));
    else if (token.Placeholder == '?')
        out.push_back(' ');
    if (position + 1 == count)
        for (long long index = count; index < length; ++index)
            out.push_back(field.DigitAt(length - 1 - index));
}

// Decimals show up to the last non-zero one, then 0 as a zero, ? as a space and # as nothing.
void AppendDecimal(const TDecimal& value, const TToken& token, std::string& out)
{
    const long long lastShown = value.Count == 0 ? 0 : std::max(0LL, -value.LowestPlace());
    const long long position = token.Position;
    if (position <= lastShown)
        out.push_back(value.DigitAt(-position));
    else if (token.Placeholder == '0')
        out.push_back('0');
    else if (token.Placeholder == '?')
        out.push_back(' ');
}

void AppendBlank(std::string_view text, std::string& out)
{
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            out.push_back(' ');
}

void AppendDigitToken(const TSection& section, const TShown& shown, const TToken& token, std::string& out)
{
    switch (token.Field) {
    case TField::Integer:
        return AppendRightAligned(shown.Value, section.IntegerDigits, token, section.Thousands, out);
    case TField::Decimals:
        return AppendDecimal(shown.Value, token, out);
    case TField::Exponent:
        return AppendRightAligned(shown.Exponent, section.ExponentDigits, token, false, out);
    case TField::Numerator:
        if (shown.BlankFraction)
            return out.push_back(' ');
        return AppendRightAligned(shown.Numerator, section.NumeratorDigits, token, false, out);
    case TField::Denominator:
        if (shown.BlankFraction)
            return out.push_back(' ');
        return AppendDenominator(shown.Denominator, section.DenominatorDigits, token, out);
    }
}

}  // namespace

void FormatNumberSection(const TParsedFormat& format, const TSection& section, double value, std::string& out)
{
    double magnitude = std::fabs(value);
    if (section.TenPower != 0 && magnitude != 0)
        magnitude *= TenTo(section.TenPower);
    if (!std::isfinite(magnitude)) {
        out += NotANumber;
        return;
    }
    const TShown shown = PrepareNumber(section, magnitude);
    if (value < 0 && !shown.Zero)
        out.push_back('-');
    const TToken* const first = format.Tokens.data() + section.First;
    for (const TToken* token = first; token != first + section.Count; ++token) {
        switch (token->Kind) {
        case TTokenKind::Literal: {
            const std::string_view text(format.Pool.data() + token->Offset, token->Length);
            if (shown.BlankFraction && token->Field == TField::Numerator)
                AppendBlank(text, out);
            else
                out += text;
            break;
        }
        case TTokenKind::Digit:
            AppendDigitToken(section, shown, *token, out);
            break;
        case TTokenKind::Point:
            // Without integer placeholders the integer digits still show, before the comma.
            if (section.IntegerDigits == 0)
                for (long long place = shown.Value.IntegerLength() - 1; place >= 0; --place)
                    AppendDigit(shown.Value.DigitAt(place), place, section.Thousands, out);
            out.push_back(',');
            break;
        case TTokenKind::Exponent:
            out.push_back('E');
            if (shown.NegativeExponent)
                out.push_back('-');
            else if (token->Placeholder == '+')
                out.push_back('+');
            break;
        case TTokenKind::General:
            FormatGeneral(magnitude, out);
            break;
        default:
            break;
        }
    }
}

}  // namespace tabulor::formats

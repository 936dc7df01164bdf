#include "shell/spin_field.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace tabulor {
namespace {

int DigitValue(char16_t c, int base)
{
    int digit = -1;
    if (c >= u'0' && c <= u'9')
        digit = c - u'0';
    else if (c >= u'a' && c <= u'f')
        digit = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        digit = c - u'A' + 10;
    return digit < base ? digit : -1;
}

// Consumes a "$" or "0x" prefix and gives the base of the digits that follow.
int ReadBase(std::u16string_view& text)
{
    if (text.starts_with(u'$')) {
        text.remove_prefix(1);
        return 16;
    }
    if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        text.remove_prefix(2);
        return 16;
    }
    return 10;
}

std::optional<int> ParseSpinFieldInteger(std::u16string_view text)
{
    while (text.starts_with(u' '))
        text.remove_prefix(1);
    bool negative = false;
    if (text.starts_with(u'+') || text.starts_with(u'-')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    const int base = ReadBase(text);
    if (text.empty())
        return std::nullopt;

    // One more than the largest int, so that the most negative int can be read.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const char16_t c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

std::u16string DecimalText(int value)
{
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

// value held within the bounds, unless they are equal, which means that none applies.
int CheckSpinFieldValue(int value, int minValue, int maxValue)
{
    if (minValue == maxValue)
        return value;
    if (value < minValue)
        return minValue;
    if (value > maxValue)
        return maxValue;
    return value;
}

}  // namespace

int SpinFieldValue(std::u16string_view text, int minValue)
{
    return ParseSpinFieldInteger(text).value_or(minValue);
}

std::u16string SteppedSpinFieldText(std::u16string_view text, int increment, int minValue,
                                    int maxValue)
{
    const auto sum = static_cast<std::uint32_t>(SpinFieldValue(text, minValue))
                     + static_cast<std::uint32_t>(increment);
    return DecimalText(CheckSpinFieldValue(static_cast<int>(sum), minValue, maxValue));
}

std::u16string StepSpinField(std::u16string_view text, int direction)
{
    return SteppedSpinFieldText(text, direction * SpinFieldBounds.Increment, SpinFieldBounds.MinValue,
                                SpinFieldBounds.MaxValue);
}

bool IsSpinFieldChar(char32_t c, char16_t decimalSeparator)
{
    if (c < 32)
        return c != U'\r';
    return (c >= U'0' && c <= U'9') || c == U'+' || c == U'-' || c == decimalSeparator;
}

char16_t DecimalSeparatorFrom(std::u16string_view localeText)
{
    return localeText.empty() ? u'.' : localeText.front();
}

}  // namespace tabulor

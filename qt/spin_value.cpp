#include "qt/spin_value.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace tabulor {
namespace {

int DigitValue(QChar c, int base)
{
    const char16_t code = c.unicode();
    int digit = -1;
    if (code >= u'0' && code <= u'9')
        digit = code - u'0';
    else if (code >= u'a' && code <= u'f')
        digit = code - u'a' + 10;
    else if (code >= u'A' && code <= u'F')
        digit = code - u'A' + 10;
    return digit < base ? digit : -1;
}

// Consumes a "$" or "0x" prefix and gives the base of the digits that follow.
int ReadBase(QStringView text, qsizetype& position)
{
    if (text.mid(position).startsWith(u'$')) {
        position += 1;
        return 16;
    }
    if (text.mid(position).startsWith(u"0x", Qt::CaseInsensitive)) {
        position += 2;
        return 16;
    }
    return 10;
}

std::optional<int> ParseSpinInteger(QStringView text)
{
    qsizetype position = 0;
    while (position < text.size() && text[position] == u' ')
        ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == u'+' || text[position] == u'-')) {
        negative = text[position] == u'-';
        ++position;
    }
    const int base = ReadBase(text, position);
    if (position == text.size())
        return std::nullopt;

    // One more than the largest int, so that the most negative int can be read.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; position < text.size(); ++position) {
        const int digit = DigitValue(text[position], base);
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

}  // namespace

int SpinEditValue(QStringView text, int minValue)
{
    return ParseSpinInteger(text).value_or(minValue);
}

int CheckSpinValue(int value, int minValue, int maxValue)
{
    if (minValue == maxValue)
        return value;
    if (value < minValue)
        return minValue;
    if (value > maxValue)
        return maxValue;
    return value;
}

QString SteppedSpinText(QStringView text, int increment, int minValue, int maxValue)
{
    const auto sum = static_cast<std::uint32_t>(SpinEditValue(text, minValue))
                     + static_cast<std::uint32_t>(increment);
    return QString::number(CheckSpinValue(static_cast<int>(sum), minValue, maxValue));
}

}  // namespace tabulor

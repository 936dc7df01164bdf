#include "workbook/ods/ods_value.h"

#include <charconv>
#include <chrono>

namespace tabulor {
namespace {

constexpr double SecondsPerDay = 86'400;

// The text still to read, taken from the front.
class TScanner {
public:
    explicit TScanner(std::string_view text) : Rest(text) {}

    bool AtEnd() const { return Rest.empty(); }
    bool Skip(char c)
    {
        if (Rest.empty() || Rest.front() != c)
            return false;
        Rest.remove_prefix(1);
        return true;
    }
    // Exactly that many digits.
    bool Digits(std::size_t width, unsigned& value)
    {
        if (CountDigits() != width)
            return false;
        value = 0;
        for (char c : Rest.substr(0, width))
            value = value * 10 + static_cast<unsigned>(c - '0');
        Rest.remove_prefix(width);
        return true;
    }
    // Digits with an optional fraction: "30", "00.5".
    bool Decimal(double& value)
    {
        std::size_t length = CountDigits();
        if (length != 0 && length < Rest.size() && Rest[length] == '.') {
            const std::size_t fraction = CountDigits(length + 1);
            length = fraction == 0 ? 0 : length + 1 + fraction;
        }
        if (length == 0 || std::from_chars(Rest.data(), Rest.data() + length, value).ptr != Rest.data() + length)
            return false;
        Rest.remove_prefix(length);
        return true;
    }

private:
    std::size_t CountDigits(std::size_t from = 0) const
    {
        std::size_t end = from;
        while (end < Rest.size() && Rest[end] >= '0' && Rest[end] <= '9')
            ++end;
        return end - from;
    }

    std::string_view Rest;
};

// A component of a duration: its number and its letter, or nothing when the letter differs.
bool DurationPart(TScanner& scanner, char letter, double scale, double& seconds)
{
    TScanner ahead = scanner;
    double value = 0;
    if (!ahead.Decimal(value) || !ahead.Skip(letter))
        return false;
    seconds += value * scale;
    scanner = ahead;
    return true;
}

}  // namespace

std::optional<double> ReadOdsDate(std::string_view text)
{
    using namespace std::chrono;
    TScanner scanner(text);
    unsigned y = 0, m = 0, d = 0;
    if (!scanner.Digits(4, y) || !scanner.Skip('-') || !scanner.Digits(2, m) || !scanner.Skip('-') ||
        !scanner.Digits(2, d))
        return std::nullopt;
    const year_month_day date{year{static_cast<int>(y)}, month{m}, day{d}};
    if (!date.ok())
        return std::nullopt;
    double serial = static_cast<double>((sys_days{date} - sys_days{1899y / December / 30}).count());
    if (scanner.AtEnd())
        return serial;
    unsigned hours = 0, minutes = 0;
    double seconds = 0;
    if (!scanner.Skip('T') || !scanner.Digits(2, hours) || !scanner.Skip(':') || !scanner.Digits(2, minutes) ||
        !scanner.Skip(':') || !scanner.Decimal(seconds) || !scanner.AtEnd() || hours > 23 || minutes > 59 ||
        seconds >= 60)
        return std::nullopt;
    return serial + (hours * 3'600.0 + minutes * 60.0 + seconds) / SecondsPerDay;
}

std::optional<double> ReadOdsDuration(std::string_view text)
{
    TScanner scanner(text);
    const bool negative = scanner.Skip('-');
    if (!scanner.Skip('P'))
        return std::nullopt;
    double seconds = 0;
    bool any = DurationPart(scanner, 'D', SecondsPerDay, seconds);
    if (scanner.Skip('T')) {
        bool timed = DurationPart(scanner, 'H', 3'600, seconds);
        timed = DurationPart(scanner, 'M', 60, seconds) || timed;
        timed = DurationPart(scanner, 'S', 1, seconds) || timed;
        if (!timed)
            return std::nullopt;
        any = true;
    }
    if (!any || !scanner.AtEnd())
        return std::nullopt;
    return (negative ? -seconds : seconds) / SecondsPerDay;
}

}  // namespace tabulor

// The ISO 8601 readers: one reading of a date and time into its fields, which each file format's
// reader then holds to what its programs write, and the durations.
#include "workbook/formats/calendar.h"

#include "workbook/ascii_text.h"

namespace tabulor::formats {
namespace {

constexpr double SecondsPerDay = 86'400;

// The text still to read, taken from the front.
class TScanner {
public:
    explicit TScanner(std::string_view text) : Rest(text) {}

    std::string_view Left() const { return Rest; }
    bool AtEnd() const { return Rest.empty(); }
    bool Skip(char c)
    {
        if (Rest.empty() || Rest.front() != c)
            return false;
        Rest.remove_prefix(1);
        return true;
    }
    // Exactly that many digits, and no more.
    bool Field(std::size_t width, unsigned& value)
    {
        const TDigitRun run = ReadDigits(Rest);
        if (run.Count != width)
            return false;
        value = static_cast<unsigned>(run.Value);
        Rest.remove_prefix(width);
        return true;
    }
    // Digits with an optional fraction: "30", "00.5".
    bool Decimal(double& value)
    {
        std::size_t length = ReadDigits(Rest).Count;
        if (length != 0 && length < Rest.size() && Rest[length] == '.') {
            const std::size_t fraction = ReadDigits(Rest.substr(length + 1)).Count;
            length = fraction == 0 ? 0 : length + 1 + fraction;
        }
        const std::optional<double> read = length == 0 ? std::nullopt : ReadNumber(Rest.substr(0, length));
        if (!read)
            return false;
        value = *read;
        Rest.remove_prefix(length);
        return true;
    }
    // Up to the first of the stops, or to the end.
    std::string_view TakeUntil(std::string_view stops)
    {
        const std::string_view taken = Rest.substr(0, Rest.find_first_of(stops));
        Rest.remove_prefix(taken.size());
        return taken;
    }

private:
    std::string_view Rest;
};

// "[YYYY-MM-DD][Thh:mm[:seconds]][zone]" as written, each field with exactly its digits: the
// seconds run to the zone, which starts at a Z, a plus or a minus. Neither a date nor a time is
// checked for its range.
struct TIsoFields {
    bool HasDate = false;
    TCivilDate Date;
    bool HasTime = false;
    unsigned Hour = 0;
    unsigned Minute = 0;
    bool HasSeconds = false;
    std::string_view Seconds;
    std::string_view Zone;

    double DayFraction(double seconds) const { return (Hour * 3600.0 + Minute * 60.0 + seconds) / SecondsPerDay; }
};

bool ReadIsoFields(std::string_view text, TIsoFields& fields)
{
    TScanner scanner(text);
    if (text.size() > 4 && text[4] == '-') {
        unsigned year = 0;
        if (!scanner.Field(4, year) || !scanner.Skip('-') || !scanner.Field(2, fields.Date.Month) ||
            !scanner.Skip('-') || !scanner.Field(2, fields.Date.Day))
            return false;
        fields.Date.Year = year;
        fields.HasDate = true;
        if (!scanner.Skip('T'))
            return scanner.AtEnd();
    }
    if (!scanner.Field(2, fields.Hour) || !scanner.Skip(':') || !scanner.Field(2, fields.Minute))
        return false;
    fields.HasTime = true;
    fields.HasSeconds = scanner.Skip(':');
    if (fields.HasSeconds)
        fields.Seconds = scanner.TakeUntil("Z+-");
    fields.Zone = scanner.Left();
    return fields.Zone.empty() || std::string_view("Z+-").find(fields.Zone.front()) != std::string_view::npos;
}

// A date that the calendar has: no 31 April, no 29 February outside leap years.
bool IsCalendarDate(TCivilDate date)
{
    return CivilFromDays(DaysFromCivil(date)) == date;
}

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

std::optional<double> ReadIsoSerial(std::string_view text, bool date1904)
{
    TIsoFields fields;
    if (!ReadIsoFields(text, fields) ||
        (fields.HasDate && (fields.Date.Month < 1 || fields.Date.Month > 12 || fields.Date.Day < 1 ||
                            fields.Date.Day > 31)))
        return std::nullopt;
    double serial = fields.HasDate ? static_cast<double>(SerialOfDate(fields.Date, date1904)) : 0;
    if (!fields.HasTime)
        return serial;
    double seconds = 0;
    if (fields.HasSeconds) {
        // NaN, which no comparison holds for, passes: the cell shows #NOMBRE!.
        const std::optional<double> read = ReadNumber(fields.Seconds);
        if (!read || *read < 0 || *read >= 61)
            return std::nullopt;
        seconds = *read;
    }
    if (fields.Hour > 24 || fields.Minute > 59)
        return std::nullopt;
    return serial + fields.DayFraction(seconds);
}

std::optional<double> ReadIsoDays(std::string_view text)
{
    TIsoFields fields;
    if (!ReadIsoFields(text, fields) || !fields.HasDate || !IsCalendarDate(fields.Date))
        return std::nullopt;
    const auto days = static_cast<double>(DaysFromCivil(fields.Date) - DayZero);
    if (!fields.HasTime)
        return days;
    TScanner seconds(fields.Seconds);
    double second = 0;
    if (!fields.HasSeconds || !seconds.Decimal(second) || !seconds.AtEnd() || !fields.Zone.empty() ||
        fields.Hour > 23 || fields.Minute > 59 || second >= 60)
        return std::nullopt;
    return days + fields.DayFraction(second);
}

std::optional<double> ReadIsoDuration(std::string_view text)
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

}  // namespace tabulor::formats

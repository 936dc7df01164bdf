// Dates and times under a parsed format: the serial's day in the 1900 or 1904 system, its time
// rounded to the smallest unit that can show (the second, or the shown fraction of one), the
// names in French; plain dates of digits alone written straight from their day.
#include "workbook/formats/date_section.h"

#include <cmath>
#include <cstring>

#include "workbook/formats/calendar.h"
#include "workbook/formats/digit_text.h"
#include "workbook/formats/general_format.h"

namespace tabulor::formats {
namespace {

constexpr std::string_view MonthNames[] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                                           "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
constexpr std::string_view MonthAbbreviations[] = {"janv.", "févr.", "mars",  "avr.", "mai",  "juin",
                                                   "juil.", "août",  "sept.", "oct.", "nov.", "déc."};
constexpr std::string_view DayNames[] = {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"};
constexpr std::string_view DayAbbreviations[] = {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};

constexpr long long Scales[] = {1, 10, 100, 1000};

struct TMoment {
    long long Year = 0;
    long long Month = 0;    // 1 to 12
    long long Day = 0;      // 0 on the 1900 system's day 0, which Excel shows as 0 January 1900
    long long Weekday = 0;  // 0 Sunday
    long long Days = 0;     // whole days, for elapsed times
    long long Hours = 0;
    long long Minutes = 0;
    long long Seconds = 0;
    long long Fraction = 0;  // of a second, in the section's sub-second digits
};

void SetDate(long long serial, TMoment& moment)
{
    const TCivilDate date = DateOfSerial(serial);
    moment.Year = date.Year;
    moment.Month = date.Month;
    moment.Day = date.Day;
    moment.Weekday = WeekdayOfSerial(serial);
}

void AppendSubSecond(const TMoment& moment, std::uint32_t shown, std::uint32_t kept, std::string& out)
{
    out.push_back(',');
    AppendPadded(static_cast<std::uint64_t>(moment.Fraction / Scales[kept - shown]), shown, out);
}

void AppendPart(const TParsedFormat& format, const TSection& section, const TMoment& moment, const TToken& token,
                std::string& out)
{
    const auto number = [&](long long value) { AppendPadded(static_cast<std::uint64_t>(value), token.Position, out); };
    const long long elapsedHours = moment.Days * 24 + moment.Hours;
    switch (token.Kind) {
    case TTokenKind::Year:
        return AppendPadded(static_cast<std::uint64_t>(token.Position == 2 ? moment.Year % 100 : moment.Year),
                            token.Position, out);
    case TTokenKind::Month:
        return number(moment.Month);
    case TTokenKind::MonthName:
        if (token.Position == 3)
            out += MonthAbbreviations[moment.Month - 1];
        else if (token.Position == 5)
            out += MonthNames[moment.Month - 1].substr(0, 1);
        else
            out += MonthNames[moment.Month - 1];
        return;
    case TTokenKind::Day:
        return number(moment.Day);
    case TTokenKind::DayName:
        out += token.Position == 3 ? DayAbbreviations[moment.Weekday] : DayNames[moment.Weekday];
        return;
    case TTokenKind::Hour:
        if (section.TwelveHour)
            return number(moment.Hours % 12 == 0 ? 12 : moment.Hours % 12);
        return number(moment.Hours);
    case TTokenKind::Minute:
        return number(moment.Minutes);
    case TTokenKind::Second:
        return number(moment.Seconds);
    case TTokenKind::SubSecond:
        return AppendSubSecond(moment, token.Position, section.SubSecondDigits, out);
    case TTokenKind::ElapsedHours:
        return number(elapsedHours);
    case TTokenKind::ElapsedMinutes:
        return number(elapsedHours * 60 + moment.Minutes);
    case TTokenKind::ElapsedSeconds:
        return number((elapsedHours * 60 + moment.Minutes) * 60 + moment.Seconds);
    case TTokenKind::AmPm:
        out.append(format.Pool, token.Offset + (moment.Hours < 12 ? 0 : token.Length), token.Length);
        return;
    default:
        return;
    }
}

// Writes a day, a month or a year of two digits with `width` 1 or 2, or a year of four.
char* WritePart(long long value, std::uint32_t width, char* at)
{
    const auto number = static_cast<std::size_t>(value);
    if (width == 4) {
        std::memcpy(at, &DigitPairs[number / 100 * 2], 2);
        std::memcpy(at + 2, &DigitPairs[number % 100 * 2], 2);
        return at + 4;
    }
    if (number < 10 && width == 1) {
        *at = static_cast<char>('0' + number);
        return at + 1;
    }
    std::memcpy(at, &DigitPairs[number * 2], 2);
    return at + 2;
}

// What the plain date writer's buffer holds: its literals, and four digits for each part.
constexpr std::uint32_t PlainDateRoom = 64;

}  // namespace

void FindPlainDate(const TParsedFormat& format, TSection& section)
{
    if (section.Kind != TSectionKind::Date || section.SubSecondDigits != 0)
        return;
    std::uint32_t length = 0;
    const TToken* const first = format.Tokens.data() + section.First;
    for (const TToken* token = first; token != first + section.Count; ++token) {
        if (token->Kind == TTokenKind::Literal)
            length += token->Length;
        else if (token->Kind == TTokenKind::Day || token->Kind == TTokenKind::Month || token->Kind == TTokenKind::Year)
            length += 4;
        else
            return;
    }
    section.PlainDate = length <= PlainDateRoom;
}

bool FormatPlainDate(const TParsedFormat& format, const TSection& section, double serial, bool date1904,
                     std::string& out)
{
    const long long offset = date1904 ? Serial1904 : 0;
    if (!(serial >= 0) || serial >= static_cast<double>(EndSerial - offset))
        return false;
    // The time shows nothing, but one that rounds up to midnight belongs to the next day, as
    // FormatDateSection rounds it to the second.
    long long day = static_cast<long long>(serial);
    if (static_cast<double>(day) != serial && std::llround((serial - static_cast<double>(day)) * 86400.0) == 86400)
        ++day;
    if (day + offset >= EndSerial)
        return false;
    TMoment moment;
    SetDate(day + offset, moment);
    char text[PlainDateRoom];
    char* at = text;
    const TToken* const first = format.Tokens.data() + section.First;
    for (const TToken* token = first; token != first + section.Count; ++token) {
        switch (token->Kind) {
        case TTokenKind::Literal:
            // Mostly a single separator, not worth a call.
            if (token->Length == 1)
                *at = format.Pool[token->Offset];
            else
                std::memcpy(at, format.Pool.data() + token->Offset, token->Length);
            at += token->Length;
            break;
        case TTokenKind::Day:
            at = WritePart(moment.Day, token->Position, at);
            break;
        case TTokenKind::Month:
            at = WritePart(moment.Month, token->Position, at);
            break;
        default:
            at = WritePart(token->Position == 2 ? moment.Year % 100 : moment.Year, token->Position, at);
            break;
        }
    }
    out.append(text, at);
    return true;
}

bool FormatDateSection(const TParsedFormat& format, const TSection& section, double serial, bool date1904,
                       std::string& out)
{
    const long long offset = date1904 ? Serial1904 : 0;
    if (!(serial >= 0) || serial >= static_cast<double>(EndSerial - offset))
        return false;
    const long long scale = Scales[section.SubSecondDigits];
    const long long unitsPerDay = 86400 * scale;
    const double day = std::floor(serial);
    const long long units =
        static_cast<long long>(day) * unitsPerDay + std::llround((serial - day) * static_cast<double>(unitsPerDay));
    TMoment moment;
    moment.Days = units / unitsPerDay;
    const long long seconds = units % unitsPerDay / scale;
    moment.Fraction = units % scale;
    moment.Hours = seconds / 3600;
    moment.Minutes = seconds / 60 % 60;
    moment.Seconds = seconds % 60;
    // A time that rounds up to midnight of 31 December 9999 has no day to show.
    if (moment.Days + offset >= EndSerial)
        return false;
    SetDate(moment.Days + offset, moment);

    const TToken* const first = format.Tokens.data() + section.First;
    for (const TToken* token = first; token != first + section.Count; ++token) {
        if (token->Kind == TTokenKind::Literal)
            out.append(format.Pool, token->Offset, token->Length);
        else if (token->Kind == TTokenKind::General)
            FormatGeneral(serial, out);
        else
            AppendPart(format, section, moment, *token, out);
    }
    return true;
}

}  // namespace tabulor::formats

// Days as workbooks count them: a civil date's count of days and the date of a count, the 1900
// and 1904 date systems whose serials the cells store, and the ISO 8601 dates, times and
// durations that some cells hold instead, read as such serials.
//
// It knows no time zone nor any calendar but the Gregorian, run back before its start as
// spreadsheets run it; and it reads what workbooks write, not every form ISO 8601 allows.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tabulor::formats {

// A day of the proleptic Gregorian calendar.
struct TCivilDate {
    std::int64_t Year = 0;
    unsigned Month = 0;  // 1 to 12
    unsigned Day = 0;    // 1 to 31; 0 only as the 1900 system's day 0, "0 January 1900"
    bool operator==(const TCivilDate&) const = default;
};

// Days from 1 January 1970 to the date. A day past its month's end counts on into the next one.
constexpr std::int64_t DaysFromCivil(TCivilDate date)
{
    const std::int64_t year = date.Year - (date.Month <= 2 ? 1 : 0);
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (date.Month > 2 ? date.Month - 3 : date.Month + 9) + 2) / 5 + date.Day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

// The date of a day counted from 1 January 1970, by 400-year eras counted from 1 March of year 0.
constexpr TCivilDate CivilFromDays(std::int64_t days)
{
    const std::int64_t shifted = days + 719468;
    const std::int64_t era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(shifted - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthFromMarch = (5 * dayOfYear + 2) / 153;
    const unsigned month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, dayOfYear - (153 * monthFromMarch + 2) / 5 + 1};
}

// 30 December 1899, from which .ods dates count their days, and the 1900 system those from
// 1 March 1900 on.
inline constexpr std::int64_t DayZero = DaysFromCivil({1899, 12, 30});

// The 1900 system counts a 29 February 1900 that never was, as Lotus 1-2-3 did: the days before
// it count one fewer than the calendar's, 31 December 1899 being its day 0. The 1904 system
// counts from 1 January 1904.
constexpr std::int64_t SerialOfDate(TCivilDate date, bool date1904)
{
    const std::int64_t days = DaysFromCivil(date) - (date1904 ? DaysFromCivil({1904, 1, 1}) : DayZero);
    return !date1904 && days >= 1 && days <= 60 ? days - 1 : days;
}

// The 1904 system's day 0 as a serial of the 1900 system, and the first day that no spreadsheet
// shows, 1 January 10000.
inline constexpr std::int64_t Serial1904 = SerialOfDate({1904, 1, 1}, false);
inline constexpr std::int64_t EndSerial = SerialOfDate({10000, 1, 1}, false);

// The date of a serial of the 1900 system, from its day 0 up: SerialOfDate's inverse, with the
// day 0 and the 29 February that no date gives.
constexpr TCivilDate DateOfSerial(std::int64_t serial)
{
    if (serial == 0)
        return {1900, 1, 0};
    if (serial == 60)
        return {1900, 2, 29};
    return CivilFromDays(DayZero + serial + (serial < 60 ? 1 : 0));
}

// 0 for Sunday: the 1900 system's weekdays follow its count, so that the days before its 29
// February fall a day off the calendar's.
constexpr int WeekdayOfSerial(std::int64_t serial)
{
    return static_cast<int>((serial + 6) % 7);
}

// An ISO 8601 date, date and time, or time ("2024-03-01T12:30:00") as a serial of the workbook's
// system, as .xlsx cells of type d hold it: a day up to 31 in any month counts on into the next,
// the hour may be 24, the seconds may be left out or be any number below 61, and a time zone is
// ignored. None for any other text.
std::optional<double> ReadIsoSerial(std::string_view text, bool date1904);

// An ISO 8601 date, or date and time to the second ("2024-03-01T12:30:00.5"), as days from
// 30 December 1899 on the calendar, without the 1900 system's 29 February, as .ods cells' date
// values hold it: the date must exist, and the seconds are digits with an optional fraction,
// which no time zone follows. None for any other text.
std::optional<double> ReadIsoDays(std::string_view text);

// An ISO 8601 duration of days, hours, minutes and seconds ("PT12H30M00S", "-P1DT2H",
// "PT0.5S") in days, as .ods cells' time values hold it; none for years or months, whose length
// varies, or for any other text.
std::optional<double> ReadIsoDuration(std::string_view text);

}  // namespace tabulor::formats

// The calendar against the standard library's, which knows no 1900 system: every day of the four
// digit years both ways, the 1900 system's serials and weekdays around its 29 February, and the
// forms each ISO 8601 reader takes, side by side where the two file formats differ.
#include "workbook/formats/calendar.h"

#include <chrono>
#include <optional>
#include <string_view>

#include <gtest/gtest.h>

namespace tabulor::formats {
namespace {

using namespace std::chrono;

TCivilDate CivilOf(year_month_day date)
{
    return {static_cast<int>(date.year()), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day())};
}

TEST(Calendar, DaysAndDatesAreTheStandardCalendars)
{
    const auto first = sys_days{year{0} / January / 1}.time_since_epoch().count();
    const auto last = sys_days{year{9999} / December / 31}.time_since_epoch().count();
    int differences = 0;
    for (auto day = first; day <= last; ++day) {
        const TCivilDate date = CivilOf(year_month_day{sys_days{days{day}}});
        if ((CivilFromDays(day) != date || DaysFromCivil(date) != day) && differences++ == 0)
            ADD_FAILURE() << "day " << day << ": " << date.Year << '-' << date.Month << '-' << date.Day;
    }
    // Past its month's end a day counts on.
    EXPECT_EQ(DaysFromCivil({2023, 2, 31}), DaysFromCivil({2023, 3, 3}));
}

// The 1900 system's serials are the calendar's days from 30 December 1899 from 1 March 1900 on,
// one fewer before it; its weekdays follow its own count. The 1904 system's are the days from
// 1 January 1904, everywhere.
TEST(Calendar, SerialsCountA29February1900)
{
    const std::int64_t march1900 = DaysFromCivil({1900, 3, 1});
    const std::int64_t day0Of1904 = DaysFromCivil({1904, 1, 1});
    for (std::int64_t day = DaysFromCivil({1899, 12, 31}); day <= DaysFromCivil({2100, 12, 31}); ++day) {
        const TCivilDate date = CivilFromDays(day);
        const std::int64_t serial = SerialOfDate(date, false);
        ASSERT_EQ(serial, day - DaysFromCivil({1899, 12, 30}) - (day < march1900 ? 1 : 0)) << day;
        ASSERT_EQ(SerialOfDate(date, true), day - day0Of1904) << day;
        if (serial != 0) {
            ASSERT_EQ(DateOfSerial(serial), date) << serial;
        }
        const weekday calendar{sys_days{days{day}}};
        ASSERT_EQ(WeekdayOfSerial(serial), (calendar.c_encoding() + (day < march1900 ? 6 : 0)) % 7) << serial;
    }
    EXPECT_EQ(SerialOfDate({1899, 12, 30}, false), 0);
    EXPECT_EQ(DateOfSerial(0), (TCivilDate{1900, 1, 0}));
    EXPECT_EQ(DateOfSerial(60), (TCivilDate{1900, 2, 29}));
    EXPECT_EQ(WeekdayOfSerial(60), (WeekdayOfSerial(59) + 1) % 7);
}

struct TIsoCase {
    std::string_view Text;
    std::optional<double> Xlsx;  // a cell of type d, in the 1900 system
    std::optional<double> Ods;   // a date value
};

constexpr std::optional<double> None;

// 1 March 2024 is day 45352 of both counts, 1 January 1900 day 1 of the 1900 system and day 2 of
// the calendar's from 30 December 1899.
TEST(Calendar, IsoDatesAsEachFormatsCellsHoldThem)
{
    const TIsoCase cases[] = {
        {"2024-03-01", 45352, 45352},
        {"2024-03-01T18:00:00", 45352.75, 45352.75},
        {"2024-03-01T12:00:30.5", 45352 + 43230.5 / 86400, 45352 + 43230.5 / 86400},
        {"1900-01-01", 1, 2},
        {"1900-02-28", 59, 60},
        {"1900-03-01", 61, 61},
        {"1899-12-30T06:00:00", 0.25, 0.25},
        {"1899-12-31", 0, 1},
        {"1899-12-29", -1, -1},
        // The .xlsx reader's forms alone.
        {"2024-03-01T18:00", 45352.75, None},
        {"18:00", 0.75, None},
        {"2024-03-01T18:00:00Z", 45352.75, None},
        {"2024-03-01T18:00:00+02:00", 45352.75, None},
        {"2024-03-01T18:00-05:00", 45352.75, None},
        {"2024-03-01T24:00:00", 45353, None},
        {"2024-03-01T18:00:60.5", 45352 + 64860.5 / 86400, None},
        {"2024-03-01T18:00:6e1", 45352 + 64860.0 / 86400, None},
        {"2024-03-01T18:00:00.", 45352.75, None},
        {"2023-02-29", 44986, None},
        {"2024-04-31", 45413, None},
        // Neither.
        {"2024-13-01", None, None},
        {"2024-00-10", None, None},
        {"2024-03-00", None, None},
        {"2024-03-32", None, None},
        {"2024-3-01", None, None},
        {"20240-03-01", None, None},
        {"2024-03-011", None, None},
        {"2024-03-01T25:00:00", None, None},
        {"2024-03-01T18:60:00", None, None},
        {"2024-03-01T18:00:61", None, None},
        {"2024-03-01T18:00:-1", None, None},
        {"2024-03-01T18:00:00x", None, None},
        {"2024-03-01T18:0", None, None},
        {"2024-03-01T", None, None},
        {"2024-03-01 18:00:00", None, None},
        {"2024-03", None, None},
        {"18:00x", None, None},
        {"", None, None},
    };
    for (const TIsoCase& c : cases) {
        EXPECT_EQ(ReadIsoSerial(c.Text, false), c.Xlsx) << c.Text;
        EXPECT_EQ(ReadIsoDays(c.Text), c.Ods) << c.Text;
    }
    // The 1904 system has no 29 February 1900 to count.
    EXPECT_EQ(ReadIsoSerial("2024-03-01T18:00", true), 43890.75);
    EXPECT_EQ(ReadIsoSerial("1900-01-01", true), -1460);
}

TEST(Calendar, IsoDurationsInDays)
{
    const struct {
        std::string_view Text;
        std::optional<double> Days;
    } cases[] = {
        {"PT36H00M00S", 1.5},
        {"P1DT12H", 1.5},
        {"-P1DT12H", -1.5},
        {"P2D", 2},
        {"PT90M", 0.0625},
        {"PT10.8S", 10.8 / 86400},
        {"PT1H30S", 3630.0 / 86400},
        {"PT", None},
        {"P", None},
        {"P1Y", None},
        {"P1M", None},
        {"PT1D", None},
        {"PT1.S", None},
        {"PT1H2", None},
        {"P1DT", None},
        {"1H", None},
        {"P-1D", None},
        {"+P1D", None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadIsoDuration(c.Text), c.Days) << c.Text;
}

}  // namespace
}  // namespace tabulor::formats

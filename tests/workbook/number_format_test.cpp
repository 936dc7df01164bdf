// Number formats as a French spreadsheet shows their values: one table per rule. Every expected
// text was worked out by hand from the rule; the dates were checked with Python's datetime.
#include "workbook/formats/date_section.h"
#include "workbook/formats/format_parser.h"
#include "workbook/formats/general_format.h"
#include "workbook/formats/number_format.h"
#include "workbook/formats/number_section.h"
#include "workbook/formats/stored_number.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace tabulor {
namespace {

// U+00A0, between thousands.
#define NB "\xC2\xA0"

struct TCase {
    std::string_view Code;
    double Value;
    std::string_view Expected;
};

std::string Formatted(std::string_view code, double value, bool date1904 = false)
{
    constexpr std::string_view Before = "«";  // the text is appended to what the string holds
    std::string out(Before);
    formats::TNumberFormat(code, date1904).FormatNumber(value, out);
    return out.starts_with(Before) ? out.substr(Before.size()) : "(what the string held is lost)";
}

void ExpectAll(std::initializer_list<TCase> cases, bool date1904 = false)
{
    for (const TCase& c : cases)
        EXPECT_EQ(Formatted(c.Code, c.Value, date1904), c.Expected) << "code " << c.Code << ", value " << c.Value;
}

TEST(NumberFormatTest, GeneralIsTheShortestTextAtFifteenDigits)
{
    ExpectAll({
        {"", 0.1 + 0.2, "0,3"},
        {"General", 1.0 / 3, "0,333333333333333"},
        {"", 0.1234567890123456, "0,123456789012346"},
        {"", -1234.5, "-1234,5"},
        {"", 0, "0"},
        {"", -0.0, "0"},
        {"", 999999999999999, "999999999999999"},
        {"", 999999999999999.875, "1E+15"},
        {"", 1e15, "1E+15"},
        {"", 12345678901234567890.0, "1,23456789012346E+19"},
        {"", 0.00001, "0,00001"},
        {"", 0.000001, "1E-06"},
        {"", -2.5e-300, "-2,5E-300"},
        {"", 1e-22, "1E-22"},
        {"", 1.5e-23, "1,5E-23"},
        {"", 123456.789012345, "123456,789012345"},
        {"", 0.95, "0,95"},
        {"", 4.35, "4,35"},
        {"", 1e100, "1E+100"},
        {"", std::numeric_limits<double>::quiet_NaN(), "#NOMBRE!"},
        {"general", 7, "7"},
        {"General;-General", -5, "-5"},
        {"General\" €\"", 5.5, "5,5 €"},
    });
    std::string out = "x";
    formats::FormatGeneral(-0.5, out);
    EXPECT_EQ(out, "x-0,5");
}

// The plain decimals read by hand, the others by the general reader: both give the same double.
TEST(NumberFormatTest, StoredNumbersReadAsTheGeneralReaderReadsThem)
{
    for (const std::string_view text :
         {"0", "-0", "513.95", "-1234.5", "007", "0.1", "9007199254740992", "9007199254740993",
          "9007199254740993.5", "1234567890123456789", "12345678901234567890", "0.0000000000000000000001",
          "0.00000000000000000000001", "5.", ".5", "-", "", "1.2.3", "1e5", "+1", " 1", "1-", "inf"}) {
        const std::optional<double> general = ReadNumber(text);
        const std::optional<double> stored = formats::ReadStoredNumber(text);
        ASSERT_EQ(stored.has_value(), general.has_value()) << text;
        if (general) {
            EXPECT_EQ(*stored, *general) << text;
            EXPECT_EQ(std::signbit(*stored), std::signbit(*general)) << text;
        }
    }
}

TEST(NumberFormatTest, DigitsRoundHalfAwayFromZeroAtFifteenDigits)
{
    ExpectAll({
        {"0.00", 2.675, "2,68"},
        {"0.00", 1.005, "1,01"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0", 0.4, "0"},
        {"0", -0.4, "0"},
        {"0.00", -0.001, "0,00"},
        {"0.0", 0.96, "1,0"},
        {"0.00", 12345678901234567.0, "12345678901234600,00"},
        {"0", 1e20, "100000000000000000000"},
        {"0.00", std::numeric_limits<double>::infinity(), "#NOMBRE!"},
    });
}

TEST(NumberFormatTest, PlaceholdersShowZerosSpacesOrNothing)
{
    ExpectAll({
        {"00000", 42, "00042"},
        {"000-00-0000", 123456789, "123-45-6789"},
        {"0.0#", 1.5, "1,5"},
        {"0.0#", 1.25, "1,25"},
        {"0.0#", 1, "1,0"},
        {"#.##", 0.5, ",5"},
        {"#.##", 1, "1,"},
        {"#", 0, ""},
        {".00", 12.5, "12,50"},
        {"0.0?", 1.5, "1,5 "},
        {"??0.0", 5, "  5,0"},
        {"0.000", 0.0005, "0,001"},
    });
}

TEST(NumberFormatTest, ThousandsSeparatorsAndScalingCommas)
{
    ExpectAll({
        {"#,##0.00", 1234567.891, "1" NB "234" NB "567,89"},
        {"#,##0", 0, "0"},
        {"#,##0", 123, "123"},
        {"#,##0", 999.5, "1" NB "000"},
        {"#,##0", -1234567, "-1" NB "234" NB "567"},
        {"0,000", 5, "0" NB "005"},
        {"#,###", 1234, "1" NB "234"},
        {"#,##0,", 1234567, "1" NB "235"},
        {"0.0,,", 1234567, "1,2"},
        {"#,##0,\"k\"", 999, "1k"},
    });
}

TEST(NumberFormatTest, PercentMultipliesByAHundred)
{
    ExpectAll({
        {"0.0%", 0.256, "25,6%"},
        {"0%", 0.005, "1%"},
        {"0.00%", 1, "100,00%"},
        {"0%", -0.25, "-25%"},
    });
}

TEST(NumberFormatTest, ScientificNotation)
{
    ExpectAll({
        {"0.00E+00", 12345, "1,23E+04"},
        {"0.00E+00", 0.00012, "1,20E-04"},
        {"0.00E+00", 0, "0,00E+00"},
        {"0.00E+00", 9.999, "1,00E+01"},
        {"0.00E+00", 99999, "1,00E+05"},
        {"0.00E+00", -12345, "-1,23E+04"},
        {"0.00E-00", 12345, "1,23E04"},
        {"0.00E-00", 0.00012, "1,20E-04"},
        {"##0.0E+0", 12345, "12,3E+3"},
        {"##0.0E+0", 0.012345, "12,3E-3"},
        {"##0.0E+0", 1234567, "1,2E+6"},
        {"00.0E+0", 12345, "12,3E+3"},
        {"0E+0", 1e100, "1E+100"},
    });
}

TEST(NumberFormatTest, Fractions)
{
    ExpectAll({
        {"# ?/?", 1.5, "1 1/2"},
        {"# ?/?", 0.333, " 1/3"},
        {"# ?/?", -1.5, "-1 1/2"},
        {"# ?/?", 2, "2    "},
        {"# ?\?/?\?", 3.14159265, "3 14/99"},
        {"# ?\?/?\?", 0.5, "  1/2 "},
        {"?/?", 0.75, "3/4"},
        {"?/?", 1.5, "3/2"},
        {"?/?", 0, "0/1"},
        {"# ?/8", 0.3, " 2/8"},
        {"# ?/8", 2.99, "3    "},
        {"0 ?/100", 1.07, "1 7/100"},
    });
}

// The accounting format of French spreadsheets: spacing, fills, a literal minus, a zero section.
constexpr std::string_view Accounting =
    "_-* #,##0.00\\ \"€\"_-;\\-* #,##0.00\\ \"€\"_-;_-* \"-\"??\\ \"€\"_-;_-@_-";

TEST(NumberFormatTest, LiteralsSpacingFillsColoursAndCurrencies)
{
    ExpectAll({
        {"#,##0.00 \"€\"", 1234.5, "1" NB "234,50 €"},
        {"0\" unités\"", 3, "3 unités"},
        {"\"Total : \"0", 7, "Total : 7"},
        {"0\\k", 5, "5k"},
        {"_(0_)", 5, " 5 "},
        {"**0", 5, "5"},
        {"(0)", 5, "(5)"},
        {"[Red]0.00", 1.5, "1,50"},
        {"[Color10]0", 5, "5"},
        {"#,##0.00\\ [$€-40C]", 1234.5, "1" NB "234,50 €"},
        {"[$€-40C]\\ 0", 5, "€ 5"},
        {"[$USD] 0", 5, "USD 5"},
        {"\"\xFF\"0", 5, "\xEF\xBF\xBD" "5"},
        {"[$-40C]mmmm\\-yy;@", 45352, "mars-24"},
        {Accounting, 1234.5, " 1" NB "234,50 € "},
        {Accounting, -1234.5, "-1" NB "234,50 € "},
        {Accounting, 0, " -   € "},
        {"0\"unclosed", 5, "5unclosed"},
    });
}

TEST(NumberFormatTest, SectionsForPositiveNegativeAndZero)
{
    ExpectAll({
        {"0.00;[Red]-0.00", -42.5, "-42,50"},
        {"0.00;(0.00)", -42.5, "(42,50)"},
        {"0;0", -5, "5"},
        {"0;-0;\"zéro\"", 0, "zéro"},
        {"0;-0;\"zéro\"", 5, "5"},
        {"0;-0;\"zéro\"", -5, "-5"},
        {"0;;", -5, ""},
        {";;;", 5, ""},
        {"0.00;-0.00", -0.001, "-0,00"},
        {"0.0", -0.04, "0,0"},
        {"0;\"neg\";0;@", -1, "neg"},
    });
}

TEST(NumberFormatTest, Conditions)
{
    ExpectAll({
        {"[>=1000]#,##0,\"k\";0", 1500, "2k"},
        {"[>=1000]#,##0,\"k\";0", 999, "999"},
        {"[>=1000]#,##0,\"k\";0", -5000, "-5000"},
        {"[<0]\"neg\";[>0]\"pos\";\"zéro\"", -3, "neg"},
        {"[<0]\"neg\";[>0]\"pos\";\"zéro\"", 3, "pos"},
        {"[<0]\"neg\";[>0]\"pos\";\"zéro\"", 0, "zéro"},
        {"[=1]\"un\";0", 1, "un"},
        {"[=1]\"un\";0", 2, "2"},
        {"[<>1]0;\"un\"", 1, "un"},
        {"[Red][<=-1]0.0;[Blue][>=1]0.0;0.00", -2, "2,0"},
        {"[Red][<=-1]0.0;[Blue][>=1]0.0;0.00", 0.5, "0,50"},
        {"[>100]0;[<-100]0", 5, "5"},
    });
}

TEST(NumberFormatTest, TextGoesThroughTheTextSection)
{
    const struct {
        std::string_view Code;
        std::string_view Expected;
    } cases[] = {
        {"@", "abc"},
        {"0;0;0;\"<\"@\">\"", "<abc>"},
        {"0;0;0;\"<\"@\">\";\"past the fourth\"", "<abc>"},
        {"\"Note : \"@", "Note : abc"},
        {Accounting, " abc "},
        {"0;-0;0;\"texte\"", "texte"},
        {"0.00", "abc"},
        {"", "abc"},
    };
    for (const auto& c : cases) {
        std::string out = "«";
        formats::TNumberFormat(c.Code).FormatText("abc", out);
        EXPECT_EQ(out, "«" + std::string(c.Expected)) << c.Code;
    }
    // A number under a format whose only section is for text shows as General.
    ExpectAll({{"@", 1.5, "1,5"}, {"@\" (x)\"", 2, "2"}});
}

TEST(NumberFormatTest, DatesInFrench)
{
    ExpectAll({
        {"dd/mm/yyyy", 45352, "01/03/2024"},
        {"d mmmm yyyy", 45352, "1 mars 2024"},
        {"ddd", 45352, "ven."},
        {"dddd", 45352, "vendredi"},
        {"mmmmm", 45352, "m"},
        {"yy", 45352, "24"},
        {"y", 45352, "24"},
        {"m", 45352, "3"},
        {"[$-F800]", 45352, "vendredi 1 mars 2024"},
        {"[$-F800]dddd\\,\\ mmmm\\ dd\\,\\ yyyy", 45352, "vendredi 1 mars 2024"},
        {"[$-x-sysdate]dddd\\,\\ mmmm\\ dd\\,\\ yyyy", 45352, "vendredi 1 mars 2024"},
        {"dd/mm/yyyy", 2958465, "31/12/9999"},
        {"dd/mm/yyyy", 2958466, "2958466"},
        {"dd/mm/yyyy", -1, "-1"},
        {"dd/mm/yyyy hh:mm:ss", 45352.999999999, "02/03/2024 00:00:00"},
    });
    static constexpr std::string_view Months[][2] = {
        {"janv.", "janvier"}, {"févr.", "février"}, {"mars", "mars"},   {"avr.", "avril"},
        {"mai", "mai"},       {"juin", "juin"},     {"juil.", "juillet"}, {"août", "août"},
        {"sept.", "septembre"}, {"oct.", "octobre"}, {"nov.", "novembre"}, {"déc.", "décembre"},
    };
    static constexpr double FirstOfMonth2024[] = {45292, 45323, 45352, 45383, 45413, 45444,
                                                  45474, 45505, 45536, 45566, 45597, 45627};
    for (int month = 0; month < 12; ++month) {
        EXPECT_EQ(Formatted("mmm", FirstOfMonth2024[month]), Months[month][0]);
        EXPECT_EQ(Formatted("mmmm", FirstOfMonth2024[month]), Months[month][1]);
    }
    // 3 March 2024 was a Sunday.
    static constexpr std::string_view Days[][2] = {
        {"dim.", "dimanche"}, {"lun.", "lundi"}, {"mar.", "mardi"},  {"mer.", "mercredi"},
        {"jeu.", "jeudi"},    {"ven.", "vendredi"}, {"sam.", "samedi"},
    };
    for (int day = 0; day < 7; ++day) {
        EXPECT_EQ(Formatted("ddd", 45354 + day), Days[day][0]);
        EXPECT_EQ(Formatted("dddd", 45354 + day), Days[day][1]);
    }
}

// Day 60 is the 29 February 1900 that never was; the days before it are one off the calendar.
TEST(NumberFormatTest, The1900And1904DateSystems)
{
    ExpectAll({
        {"dd/mm/yyyy", 0, "00/01/1900"},
        {"dd/mm/yyyy", 1, "01/01/1900"},
        {"dddd", 1, "dimanche"},
        {"dd/mm/yyyy", 59, "28/02/1900"},
        {"dd/mm/yyyy dddd", 60, "29/02/1900 mercredi"},
        {"dd/mm/yyyy dddd", 61, "01/03/1900 jeudi"},
    });
    ExpectAll(
        {
            {"dd/mm/yyyy dddd", 0, "01/01/1904 vendredi"},
            {"dd/mm/yyyy", 43890, "01/03/2024"},
            {"dd/mm/yyyy", 2957003, "31/12/9999"},
            {"dd/mm/yyyy", 2957004, "2957004"},
        },
        true);
}

TEST(NumberFormatTest, TimesAndMinutesBesideHoursOrSeconds)
{
    ExpectAll({
        {"h:mm", 0.5, "12:00"},
        {"h:mm AM/PM", 0.75, "6:00 PM"},
        {"h:mm AM/PM", 0, "12:00 AM"},
        {"h:mm AM/PM", 0.5, "12:00 PM"},
        {"h A/P", 0.25, "6 A"},
        {"h a/p", 0.75, "6 p"},
        {"h:m", 0.5 + 5.0 / 1440, "12:5"},
        {"m:ss", 75.0 / 1440, "15:00"},
        {"hh\"h\"mm", 0.5 + 5.0 / 1440, "12h05"},
        {"[$-F400]h:mm:ss\\ AM/PM", 14.5 / 24, "14:30:00"},
        {"[h]:mm:ss", 1.5, "36:00:00"},
        {"[mm]:ss", 1.0 / 24, "60:00"},
        {"[ss]", 1.0 / 1440, "60"},
        {"[h]:mm;-[h]:mm", -0.5, "-12:00"},
    });
}

TEST(NumberFormatTest, SecondsRoundWithTheirCarry)
{
    ExpectAll({
        {"h:mm:ss", 0.5 + 59.6 / 86400, "12:01:00"},
        {"h:mm", 0.5 + 59.6 / 86400, "12:01"},
        {"h:mm", 0.5 + 50.0 / 86400, "12:00"},
        {"hh:mm:ss", 0.99999999, "00:00:00"},
        {"mm:ss.0", 61.26 / 86400, "01:01,3"},
        {"ss.00", 1.234 / 86400, "01,23"},
        {"ss.000", 1.2346 / 86400, "01,235"},
        {"ss.0", 59.96 / 86400, "00,0"},
        {"mm:ss.0", 59.96 / 86400, "01:00,0"},
    });
}

TEST(NumberFormatTest, BuiltInIds)
{
    const struct {
        unsigned Id;
        double Value;
        std::string_view Expected;
    } cases[] = {
        {0, 1234.5, "1234,5"},
        {1, 1234.5, "1235"},
        {2, 1234.5, "1234,50"},
        {3, 1234.5, "1" NB "235"},
        {4, 1234.5, "1" NB "234,50"},
        {5, 1234.5, "1234,5"},
        {9, 0.256, "26%"},
        {10, 0.256, "25,60%"},
        {11, 1234.5, "1,23E+03"},
        {12, 1.5, "1 1/2"},
        {13, 0.5, "  1/2 "},
        {14, 45352, "01/03/2024"},
        {15, 45352, "1-mars-24"},
        {16, 45352, "1-mars"},
        {17, 45352, "mars-24"},
        {18, 0.75, "6:00 PM"},
        {19, 0.75, "6:00:00 PM"},
        {20, 0.75, "18:00"},
        {21, 0.75, "18:00:00"},
        {22, 45352.75, "01/03/2024 18:00"},
        {37, -1234, "(1" NB "234)"},
        {37, 1234, "1" NB "234 "},
        {38, -1234, "(1" NB "234)"},
        {39, -1234.5, "(1" NB "234,50)"},
        {40, -1234.5, "(1" NB "234,50)"},
        {45, 75.0 / 1440, "15:00"},
        {46, 1.5, "36:00:00"},
        {47, 75.5 / 86400, "0115,5"},
        {48, 12345, "12,3E+3"},
        {49, 1.5, "1,5"},
        {200, 1234.5, "1234,5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Formatted(formats::BuiltInFormatCode(c.Id), c.Value), c.Expected) << "id " << c.Id;
}

// The shortcuts against the general renderers, on the same format and value: the values where
// rounding turns (the halves of each decimal, the doubles either side of them), the ends of the
// range the shortcuts take, and a seeded sweep of stored decimals and of any double.
class TShortcutCheck {
public:
    TShortcutCheck(std::string_view code, bool date1904 = false)
        : Code(code), Format(formats::ParseFormat(code)), Date1904(date1904)
    {
    }

    // Both renderings of the whole format, and of each plain number section alone; counts the
    // values a plain section writes itself.
    void Check(double value)
    {
        Compare(value, [&](formats::TRendering rendering, std::string& out) {
            formats::FormatValue(Format, Date1904, value, rendering, out);
        });
        for (int i = 0; i < Format.SectionCount; ++i) {
            const formats::TSection& section = Format.Sections[i];
            std::string plain;
            if (section.PlainNumber && formats::FormatPlainNumber(Format, section, value, plain)) {
                ++Taken;
                Compare(value, [&](formats::TRendering rendering, std::string& out) {
                    if (rendering == formats::TRendering::Shortcuts)
                        out = plain;
                    else
                        formats::FormatNumberSection(Format, section, value, out);
                });
            }
            if (section.PlainDate && formats::FormatPlainDate(Format, section, value, Date1904, plain))
                ++Taken;
        }
    }

    bool Plain() const { return Format.Sections[0].PlainNumber || Format.Sections[0].PlainDate; }
    int TakenCount() const { return Taken; }
    const std::string& FirstDifference() const { return Difference; }

private:
    template <typename TRender>
    void Compare(double value, TRender render)
    {
        std::string shortcut;
        std::string general;
        render(formats::TRendering::Shortcuts, shortcut);
        render(formats::TRendering::GeneralOnly, general);
        if (shortcut != general && Difference.empty()) {
            std::ostringstream text;
            text.precision(17);
            text << "code " << Code << ", value " << value << ": " << shortcut << " against " << general;
            Difference = text.str();
        }
    }

    std::string_view Code;
    formats::TParsedFormat Format;
    bool Date1904;
    int Taken = 0;
    std::string Difference;
};

std::vector<double> RoundingEdges()
{
    std::vector<double> edges = {
        0, 0.005, 0.015, 0.025, 0.045, 0.125, 1.005, 1.115, 2.675, 4.35, 9.995, 99.995, 0.5, 1.5, 2.5, 0.1 + 0.2,
        0.9999999999999999, 0.049999999999999996, 999999.995, 1234567.891, 123456789012.345, 4294967295.5,
        1e14 + 0.5, 1e15 - 1, 999999999999999.4, 1e15, 9007199254740993.0, 18446744073709551616.0, 1e22, 1e23,
        1e300, std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(), 1e-7, 1e-300,
        2.2250738585072014e-308, 5e-324, std::numeric_limits<double>::quiet_NaN(),
    };
    // Halves of the last shown digit at 0 to 4 decimals, of short and of long whole parts.
    for (const double whole : {0.0, 7.0, 12345.0, 99999999.0})
        for (int decimals = 0; decimals <= 4; ++decimals)
            for (int digit = 0; digit < 10; ++digit)
                edges.push_back(whole + (digit * 10 + 5) / std::pow(10.0, decimals + 1));
    const std::size_t count = edges.size();
    for (std::size_t i = 0; i < count; ++i) {
        edges.push_back(std::nextafter(edges[i], 0.0));
        edges.push_back(std::nextafter(edges[i], std::numeric_limits<double>::infinity()));
    }
    for (std::size_t i = 0, all = edges.size(); i < all; ++i)
        edges.push_back(-edges[i]);
    return edges;
}

// Decimals as cells store them, most of them; the rest any finite double of a sheet's range.
double SweptValue(std::mt19937_64& random)
{
    const std::uint64_t bits = random();
    const int digits = 1 + static_cast<int>(bits % 15);
    const double whole = static_cast<double>((bits >> 8) % static_cast<std::uint64_t>(std::pow(10.0, digits)));
    const double sign = bits >> 63 ? -1.0 : 1.0;
    if ((bits >> 4) % 8 != 0)
        return sign * whole / std::pow(10.0, static_cast<int>((bits >> 56) % 9));
    return sign * std::ldexp(static_cast<double>(bits >> 11) / 9007199254740992.0, static_cast<int>(bits % 90) - 30);
}

// A format, and whether its first section takes a shortcut.
struct TPlainCase {
    std::string_view Code;
    bool Plain;
};

TEST(NumberFormatTest, PlainNumbersWriteWhatTheGeneralRendererWrites)
{
    const TPlainCase formatCases[] = {
        {"0", true},         {"0.00", true},       {"#,##0", true},  {"#,##0.00", true},
        {"#,##0.00 \"€\"", true}, {"0.00%", true}, {"0%", true},     {"0.0%", true},
        {"#,##0.00\\ [$€-40C]", true}, {Accounting, true}, {"#,##0.00;(#,##0.00)", true}, {"00000", true},
        {"0,000", true},     {"#,###", true},      {"#,##0,", true}, {"0.0,,", true},
        {"#.00", true},      {"0.000000000000000", true}, {"[>=1000]#,##0,\"k\";0", true},
        {"\"Total : \"0.0", true}, {"0.0;-0.0;\"zéro\"", true}, {"0%%", true},
        {"0.0#", false},     {"0.00E+00", false},  {"# ?/?", false}, {"000-00-0000", false},
        {"?0.00", false},    {"0.", false},        {"General", false},
    };
    const std::vector<double> edges = RoundingEdges();
    std::mt19937_64 random(20240301);
    for (const auto& c : formatCases) {
        TShortcutCheck check(c.Code);
        EXPECT_EQ(check.Plain(), c.Plain) << c.Code;
        for (const double value : edges)
            check.Check(value);
        for (int i = 0; i < 6000; ++i)
            check.Check(SweptValue(random));
        EXPECT_EQ(check.FirstDifference(), "");
        // Most stored decimals are within the shortcut's reach.
        EXPECT_EQ(check.TakenCount() > 1000, c.Plain) << c.Code;
    }
    // General's own shortcut, which the sections above write through.
    int differences = 0;
    for (int i = 0; i < 20000; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const double value = index < edges.size() ? edges[index] : SweptValue(random);
        std::string shortcut;
        std::string general;
        formats::FormatGeneral(value, shortcut);
        formats::FormatGeneralDigits(value, general);
        if (shortcut != general && differences++ == 0)
            ADD_FAILURE() << value << ": " << shortcut << " against " << general;
    }
}

TEST(NumberFormatTest, PlainDatesWriteWhatTheGeneralRendererWrites)
{
    const TPlainCase formatCases[] = {
        {"dd/mm/yyyy", true}, {"d/m/yy", true}, {"yyyy-mm-dd", true}, {"m\\ \"de\"\\ yyyy", true},
        {"dd/mm/yyyy hh:mm", false}, {"d mmmm yyyy", false},
    };
    // Times that round to the second below midnight or up to it.
    const double times[] = {0, 0.25, 0.5, 86399.4 / 86400, 86399.6 / 86400, std::nextafter(1.0, 0.0)};
    for (const bool date1904 : {false, true}) {
        std::vector<TShortcutCheck> checks;
        for (const auto& c : formatCases) {
            checks.emplace_back(c.Code, date1904);
            EXPECT_EQ(checks.back().Plain(), c.Plain) << c.Code;
        }
            // Every day from 1 January 1900 to 31 December 2100, each under one format in turn.
        for (int day = 0; day <= 73415; ++day) {
            TShortcutCheck& check = checks[static_cast<std::size_t>(day) % checks.size()];
            check.Check(day);
            check.Check(day + times[static_cast<std::size_t>(day) / checks.size() % std::size(times)]);
        }
        for (TShortcutCheck& check : checks) {
            for (const double serial : {-1.0, -0.0, 2957003.0, 2957003.99999, 2958465.0, 2958465.99999, 2958466.0,
                                        std::numeric_limits<double>::quiet_NaN()})
                check.Check(serial);
            EXPECT_EQ(check.FirstDifference(), "");
            EXPECT_EQ(check.TakenCount() > 10000, check.Plain());
        }
    }
}

}  // namespace
}  // namespace tabulor

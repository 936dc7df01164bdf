#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/header_links.h"
#include "core/sheet_markup.h"
#include "core/table_markup.h"
#include "tests/testkit/header_assignment.h"
#include "tests/testkit/line_text.h"
#include "tests/testkit/sheet_forms.h"
#include "tests/testkit/starting_settings.h"
#include "tests/testkit/test_sheet.h"

namespace {

using namespace tabulor;
using tabulor::testkit::SplitCrLf;
using tabulor::testkit::TGridCell;

using tabulor::testkit::TRows;
using TLines = std::vector<std::string>;

// The starting request with linked headers, and classes that tell a blank header cell, written as
// a data cell, from a header cell.
TTableSettings LinkSettings(int headerRows, int headerCols)
{
    TTableSettings settings = testkit::StartingSettings();
    settings.TitleRows = headerRows;
    settings.TitleCols = headerCols;
    settings.HeaderClass = "h";
    settings.CellClass = "c";
    settings.LinkHeaders = true;
    return settings;
}

TLines TextTable(std::string_view source, const TTableSettings& settings, const TCellReading& reading)
{
    TOutputLines output;
    AddTableLines(source, output, settings, reading);
    return SplitCrLf(output.Text());
}

TLines SheetTable(const TRows& rows, const std::vector<TMergedArea>& merges, const TTableSettings& settings,
                  const TCellReading& reading)
{
    testkit::TTestSheet sheet(rows, merges);
    TOutputLines output;
    AddSheetTableLines(sheet, output, settings, reading);
    return SplitCrLf(output.Text());
}

TLines Framed(TLines rows)
{
    rows.insert(rows.begin(), "<table border=\"1px\">");
    rows.emplace_back("</table>");
    return rows;
}

// The sheet's rows as a tab-separated text, where a text source can hold the same cells.
std::optional<std::string> AsText(const TRows& rows, const std::vector<TMergedArea>& merges)
{
    if (!merges.empty() || rows.empty())
        return std::nullopt;
    std::string text;
    for (const auto& row : rows) {
        if (row.size() != rows.front().size())
            return std::nullopt;
        for (const std::string& cell : row) {
            if (cell.find_first_of("\t\r\n") != std::string::npos)
                return std::nullopt;
            text += cell + '\t';
        }
        text.back() = '\n';
    }
    text.pop_back();
    return text;
}

struct TLinkCase {
    const char* Name;
    TRows Rows;
    std::vector<TMergedArea> Merges;
    int HeaderRows, HeaderCols;
    TLines Lines;  // the rows and groups, between the table's opening and closing lines
};

// Each case as a workbook's sheet and, where a text can hold the same cells, as a UTF-8 text.
void ExpectBothPaths(const std::vector<TLinkCase>& cases)
{
    const TCellReading reading{TFieldSeparator::Tab, true, false, "t"};
    for (const TLinkCase& c : cases) {
        const TTableSettings settings = LinkSettings(c.HeaderRows, c.HeaderCols);
        EXPECT_EQ(SheetTable(c.Rows, c.Merges, settings, reading), Framed(c.Lines)) << c.Name << ", sheet";
        if (const auto text = AsText(c.Rows, c.Merges)) {
            EXPECT_EQ(TextTable(*text, settings, reading), Framed(c.Lines)) << c.Name << ", text";
        }
    }
}

// The two header rows of a year and its quarters' table, without merges, as both kinds write it.
const TLines YearAndQuarters = {
    R"(  <thead>)",
    R"(  <tr><th class="h" id="t-1-1" scope="col">A</th><th class="h" id="t-1-2" scope="col">B</th></tr>)",
    R"(  <tr><th class="h" id="t-2-1" scope="col" headers="t-1-1">a</th><th class="h" id="t-2-2" scope="col" headers="t-1-2">b</th></tr>)",
    R"(  </thead>)",
    R"(  <tbody>)",
    R"(  <tr><td class="c" headers="t-1-1 t-2-1">1</td><td class="c" headers="t-1-2 t-2-2">2</td></tr>)",
    R"(  </tbody>)",
};

TEST(HeaderLinks, SimpleTablesGetScopes)
{
    ExpectBothPaths({
        {"one header row", {{"A", "B"}, {"1", "2"}}, {}, 1, 0,
         {R"(  <thead>)", R"(  <tr><th class="h" scope="col">A</th><th class="h" scope="col">B</th></tr>)",
          R"(  </thead>)", R"(  <tbody>)", R"(  <tr><td class="c">1</td><td class="c">2</td></tr>)",
          R"(  </tbody>)"}},
        {"one header column, no groups without a header row", {{"A", "1"}, {"B", "2"}}, {}, 0, 1,
         {R"(  <tr><th class="h" scope="row">A</th><td class="c">1</td></tr>)",
          R"(  <tr><th class="h" scope="row">B</th><td class="c">2</td></tr>)"}},
        {"both, the corner a column header", {{"R", "X"}, {"A", "1"}, {"B", "2"}}, {}, 1, 1,
         {R"(  <thead>)", R"(  <tr><th class="h" scope="col">R</th><th class="h" scope="col">X</th></tr>)",
          R"(  </thead>)", R"(  <tbody>)", R"(  <tr><th class="h" scope="row">A</th><td class="c">1</td></tr>)",
          R"(  <tr><th class="h" scope="row">B</th><td class="c">2</td></tr>)", R"(  </tbody>)"}},
        {"a merged data cell", {{"R", "X", "Y"}, {"A", "1", ""}, {"B", "", ""}}, {{1, 1, 2, 2}}, 1, 1,
         {R"(  <thead>)",
          R"(  <tr><th class="h" scope="col">R</th><th class="h" scope="col">X</th><th class="h" scope="col">Y</th>)"
          R"(</tr>)",
          R"(  </thead>)", R"(  <tbody>)",
          R"(  <tr><th class="h" scope="row">A</th><td class="c" colspan="2" rowspan="2">1</td></tr>)",
          R"(  <tr><th class="h" scope="row">B</th></tr>)", R"(  </tbody>)"}},
        {"header spans gone with a row covered whole", {{"A", "B"}, {"", ""}, {"1", "2"}},
         {{0, 0, 1, 0}, {0, 1, 1, 1}}, 2, 0,
         {R"(  <thead>)", R"(  <tr><th class="h" scope="col">A</th><th class="h" scope="col">B</th></tr>)",
          R"(  </thead>)", R"(  <tbody>)", R"(  <tr><td class="c">1</td><td class="c">2</td></tr>)",
          R"(  </tbody>)"}},
    });
}

TEST(HeaderLinks, OtherTablesGetIdsAndHeaders)
{
    ExpectBothPaths({
        {"two header rows", {{"A", "B"}, {"a", "b"}, {"1", "2"}}, {}, 2, 0, YearAndQuarters},
        {"a column covered whole is not counted", {{"A", "", "B"}, {"a", "", "b"}, {"1", "", "2"}},
         {{0, 0, 0, 1}, {1, 0, 1, 1}, {2, 0, 2, 1}}, 2, 0, YearAndQuarters},
        {"a merged year over its quarters",
         {{"R\xC3\xA9gion", "2024", "", "2025", ""}, {"", "T1", "T2", "T1", "T2"}, {"Nord", "1", "2", "3", "4"}},
         {{0, 0, 1, 0}, {0, 1, 0, 2}, {0, 3, 0, 4}}, 2, 1,
         {R"(  <thead>)",
          R"(  <tr><th class="h" id="t-1-1" scope="col" rowspan="2">R&eacute;gion</th>)"
          R"(<th class="h" id="t-1-2" scope="col" colspan="2">2024</th>)"
          R"(<th class="h" id="t-1-4" scope="col" colspan="2">2025</th></tr>)",
          R"(  <tr><th class="h" id="t-2-2" scope="col" headers="t-1-2">T1</th><th class="h" id="t-2-3" scope="col" headers="t-1-2">T2</th>)"
          R"(<th class="h" id="t-2-4" scope="col" headers="t-1-4">T1</th><th class="h" id="t-2-5" scope="col" headers="t-1-4">T2</th></tr>)",
          R"(  </thead>)", R"(  <tbody>)",
          R"(  <tr><th class="h" id="t-3-1" scope="row" headers="t-1-1">Nord</th><td class="c" headers="t-1-2 t-2-2 t-3-1">1</td>)"
          R"(<td class="c" headers="t-1-2 t-2-3 t-3-1">2</td><td class="c" headers="t-1-4 t-2-4 t-3-1">3</td>)"
          R"(<td class="c" headers="t-1-4 t-2-5 t-3-1">4</td></tr>)",
          R"(  </tbody>)"}},
        {"two header columns", {{"Pays", "Ville", "Pop"}, {"FR", "Paris", "2"}, {"FR", "Lyon", "1"}}, {}, 1, 2,
         {R"(  <thead>)",
          R"(  <tr><th class="h" id="t-1-1" scope="col">Pays</th><th class="h" id="t-1-2" scope="col">Ville</th>)"
          R"(<th class="h" id="t-1-3" scope="col">Pop</th></tr>)",
          R"(  </thead>)", R"(  <tbody>)",
          R"(  <tr><th class="h" id="t-2-1" scope="row" headers="t-1-1">FR</th>)"
          R"(<th class="h" id="t-2-2" scope="row" headers="t-1-2 t-2-1">Paris</th>)"
          R"(<td class="c" headers="t-1-3 t-2-1 t-2-2">2</td></tr>)",
          R"(  <tr><th class="h" id="t-3-1" scope="row" headers="t-1-1">FR</th>)"
          R"(<th class="h" id="t-3-2" scope="row" headers="t-1-2 t-3-1">Lyon</th>)"
          R"(<td class="c" headers="t-1-3 t-3-1 t-3-2">1</td></tr>)",
          R"(  </tbody>)"}},
        {"a merged row header", {{"R", "X"}, {"A", "1"}, {"", "2"}}, {{1, 0, 2, 0}}, 1, 1,
         {R"(  <thead>)", R"(  <tr><th class="h" id="t-1-1" scope="col">R</th><th class="h" id="t-1-2" scope="col">X</th></tr>)",
          R"(  </thead>)", R"(  <tbody>)",
          R"(  <tr><th class="h" id="t-2-1" scope="row" headers="t-1-1" rowspan="2">A</th>)"
          R"(<td class="c" headers="t-1-2 t-2-1">1</td></tr>)",
          R"(  <tr><td class="c" headers="t-1-2 t-2-1">2</td></tr>)", R"(  </tbody>)"}},
        {"a blank cell between a row header and the header above it", {{"R", "X"}, {"", "1"}, {"B", "2"}}, {}, 1, 1,
         {R"(  <thead>)", R"(  <tr><th class="h" id="t-1-1" scope="col">R</th><th class="h" id="t-1-2" scope="col">X</th></tr>)",
          R"(  </thead>)", R"(  <tbody>)",
          R"(  <tr><td class="c" headers="t-1-1">&nbsp;</td><td class="c" headers="t-1-2">1</td></tr>)",
          R"(  <tr><th class="h" id="t-3-1" scope="row" headers="t-1-1">B</th><td class="c" headers="t-1-2 t-3-1">2</td></tr>)",
          R"(  </tbody>)"}},
        {"a merged header with headers and both spans", {{"A", "B", ""}, {"C", "", ""}, {"", "", "x"}},
         {{1, 0, 2, 1}, {0, 1, 0, 2}}, 1, 1,
         {R"(  <thead>)", R"(  <tr><th class="h" id="t-1-1" scope="col">A</th><th class="h" id="t-1-2" scope="col" colspan="2">B</th></tr>)",
          R"(  </thead>)", R"(  <tbody>)",
          R"(  <tr><th class="h" id="t-2-1" scope="row" headers="t-1-1 t-1-2" colspan="2" rowspan="2">C</th>)"
          R"(<td class="c" headers="t-1-2 t-2-1">&nbsp;</td></tr>)",
          R"(  <tr><td class="c" headers="t-1-2 t-2-1">x</td></tr>)", R"(  </tbody>)"}},
    });
}

TEST(HeaderLinks, AllHeaderSheetsAndCountsPastTheSheet)
{
    const TRows square = {{"A", "B"}, {"C", "D"}};
    ExpectBothPaths({
        {"every row a header row, no body: no groups", square, {}, 9, 0,
         {R"(  <tr><th class="h" id="t-1-1" scope="col">A</th><th class="h" id="t-1-2" scope="col">B</th></tr>)",
          R"(  <tr><th class="h" id="t-2-1" scope="col" headers="t-1-1">C</th><th class="h" id="t-2-2" scope="col" headers="t-1-2">D</th>)"
          R"(</tr>)"}},
        {"every column a header column", square, {}, 0, 9,
         {R"(  <tr><th class="h" id="t-1-1" scope="row">A</th><th class="h" id="t-1-2" scope="row" headers="t-1-1">B</th></tr>)",
          R"(  <tr><th class="h" id="t-2-1" scope="row">C</th><th class="h" id="t-2-2" scope="row" headers="t-2-1">D</th></tr>)"}},
        {"a corner is a column header only", square, {}, 1, 9,
         {R"(  <thead>)", R"(  <tr><th class="h" id="t-1-1" scope="col">A</th><th class="h" id="t-1-2" scope="col">B</th></tr>)",
          R"(  </thead>)", R"(  <tbody>)",
          R"(  <tr><th class="h" id="t-2-1" scope="row" headers="t-1-1">C</th>)"
          R"(<th class="h" id="t-2-2" scope="row" headers="t-1-2 t-2-1">D</th></tr>)",
          R"(  </tbody>)"}},
        {"one row, more header rows asked", {{"A", "B"}}, {}, 3, 0,
         {R"(  <tr><th class="h" scope="col">A</th><th class="h" scope="col">B</th></tr>)"}},
        {"one column, more header columns asked", {{"A"}, {"B"}}, {}, 0, 3,
         {R"(  <tr><th class="h" scope="row">A</th></tr>)", R"(  <tr><th class="h" scope="row">B</th></tr>)"}},
        {"one cell", {{"A"}}, {}, 1, 1, {R"(  <tr><th class="h" scope="col">A</th></tr>)"}},
    });
}

// Empty, spaces, tabs, no-break spaces: a data cell that no cell refers to, with the headers of
// its place.
TEST(HeaderLinks, BlankHeaderCellsAreDataCells)
{
    ExpectBothPaths({
        {"in a sheet",
         {{"", "A", " ", "C"}, {"\t", "\xC2\xA0", "B", " \xC2\xA0\t"}, {"R", "1", "2", "3"}}, {}, 2, 1,
         {R"(  <thead>)",
          R"(  <tr><td class="c">&nbsp;</td><th class="h" id="t-1-2" scope="col">A</th><td class="c"> </td>)"
          R"(<th class="h" id="t-1-4" scope="col">C</th></tr>)",
          "  <tr><td class=\"c\">\t</td><td class=\"c\" headers=\"t-1-2\">&nbsp;</td>"
          R"(<th class="h" id="t-2-3" scope="col">B</th>)" "<td class=\"c\" headers=\"t-1-4\"> &nbsp;\t</td></tr>",
          R"(  </thead>)", R"(  <tbody>)",
          R"(  <tr><th class="h" id="t-3-1" scope="row">R</th><td class="c" headers="t-1-2 t-3-1">1</td>)"
          R"(<td class="c" headers="t-2-3 t-3-1">2</td><td class="c" headers="t-1-4 t-3-1">3</td></tr>)",
          R"(  </tbody>)"}},
    });
    // In Windows-1252 the no-break space is one byte; the two bytes of UTF-8's are text there.
    EXPECT_EQ(TextTable("\xA0\tX\t \t\t\xC2\xA0\nA\t1\t2\t3\t4\n \t5\t6\t7\t8", LinkSettings(1, 1), {}),
              Framed({R"(  <thead>)",
                      R"(  <tr><td class="c">&nbsp;</td><th class="h" scope="col">X</th><td class="c"> </td>)"
                      R"(<td class="c">&nbsp;</td><th class="h" scope="col">&Acirc;&nbsp;</th></tr>)",
                      R"(  </thead>)", R"(  <tbody>)",
                      R"(  <tr><th class="h" scope="row">A</th><td class="c">1</td><td class="c">2</td>)"
                      R"(<td class="c">3</td><td class="c">4</td></tr>)",
                      R"(  <tr><td class="c"> </td><td class="c">5</td><td class="c">6</td><td class="c">7</td>)"
                      R"(<td class="c">8</td></tr>)",
                      R"(  </tbody>)"}));
    EXPECT_EQ(TextTable("\" \t\";X\nA;1", LinkSettings(1, 1), {TFieldSeparator::Semicolon, true}),
              Framed({R"(  <thead>)", "  <tr><td class=\"c\"> \t</td><th class=\"h\" scope=\"col\">X</th></tr>",
                      R"(  </thead>)", R"(  <tbody>)",
                      R"(  <tr><th class="h" scope="row">A</th><td class="c">1</td></tr>)",
                      R"(  </tbody>)"}));
}

// The head ends at the first row boundary at or below the header rows that no cell crosses.
TEST(HeaderLinks, TheHeadTakesTheRowsItsCellsSpan)
{
    ExpectBothPaths({
        {"a header cell across the boundary", {{"A", "B"}, {"", "1"}, {"2", "3"}}, {{0, 0, 1, 0}}, 1, 0,
         {R"(  <thead>)", R"(  <tr><th class="h" id="t-1-1" scope="col" rowspan="2">A</th><th class="h" id="t-1-2" scope="col">B</th></tr>)",
          R"(  <tr><td class="c" headers="t-1-2">1</td></tr>)", R"(  </thead>)", R"(  <tbody>)",
          R"(  <tr><td class="c" headers="t-1-1">2</td><td class="c" headers="t-1-2">3</td></tr>)",
          R"(  </tbody>)"}},
        {"down to the last row: no body, no groups", {{"A", "B"}, {"", "1"}, {"", "3"}}, {{0, 0, 2, 0}}, 1, 0,
         {R"(  <tr><th class="h" id="t-1-1" scope="col" rowspan="3">A</th><th class="h" id="t-1-2" scope="col">B</th></tr>)",
          R"(  <tr><td class="c" headers="t-1-2">1</td></tr>)", R"(  <tr><td class="c" headers="t-1-2">3</td></tr>)"}},
        {"a header row's cell described by the row headers beside its rows below them",
         {{"C", "H", "X"}, {"R", "", "1"}, {"S", "2", "3"}}, {{0, 1, 1, 1}}, 1, 1,
         {R"(  <thead>)",
          R"(  <tr><th class="h" id="t-1-1" scope="col">C</th><th class="h" id="t-1-2" scope="col" headers="t-2-1" rowspan="2">H</th>)"
          R"(<th class="h" id="t-1-3" scope="col">X</th></tr>)",
          R"(  <tr><th class="h" id="t-2-1" scope="row" headers="t-1-1">R</th><td class="c" headers="t-1-3 t-2-1">1</td></tr>)",
          R"(  </thead>)", R"(  <tbody>)",
          R"(  <tr><th class="h" id="t-3-1" scope="row" headers="t-1-1">S</th><td class="c" headers="t-1-2 t-3-1">2</td>)"
          R"(<td class="c" headers="t-1-3 t-3-1">3</td></tr>)",
          R"(  </tbody>)"}},
    });
}

// A browser scanning up from the 2 would let S, met beyond a data cell, hide Z, anchored in the
// same column with the same width; the headers attribute, which it takes as it is, still names Z:
// Z heads the whole column.
TEST(HeaderLinks, AHeaderAboveAMergedRowHeaderStillHeadsItsColumn)
{
    ExpectBothPaths({
        {"a row header merged across the table", {{"Z", ""}, {"A", "1"}, {"S", ""}, {"B", "2"}},
         {{0, 0, 0, 1}, {2, 0, 2, 1}}, 1, 1,
         {R"(  <thead>)", R"(  <tr><th class="h" id="t-1-1" scope="col" colspan="2">Z</th></tr>)", R"(  </thead>)", R"(  <tbody>)",
          R"(  <tr><th class="h" id="t-2-1" scope="row" headers="t-1-1">A</th><td class="c" headers="t-1-1 t-2-1">1</td></tr>)",
          R"(  <tr><th class="h" id="t-3-1" scope="row" headers="t-1-1" colspan="2">S</th></tr>)",
          R"(  <tr><th class="h" id="t-4-1" scope="row" headers="t-1-1">B</th><td class="c" headers="t-1-1 t-4-1">2</td></tr>)",
          R"(  </tbody>)"}},
    });
}

TEST(HeaderLinks, CaptionIsEncodedAsACellsText)
{
    const std::string caption = "Ventes & <marges>\r\n\xC3\xA9t\xC3\xA9\r2024\n\xE2\x82\xAC";
    const std::string html = "  <caption>Ventes &amp; &lt;marges&gt;<br>&eacute;t&eacute;<br>2024<br>&euro;</caption>";
    const std::string xhtml =
        "  <caption>Ventes &amp; &lt;marges&gt;<br />&eacute;t&eacute;<br />2024<br />&euro;</caption>";
    for (const bool link : {false, true}) {
        for (const bool isXhtml : {false, true}) {
            TTableSettings settings = LinkSettings(1, 0);
            settings.LinkHeaders = link;
            settings.Caption = caption;
            TLines rows = {R"(  <tr><th class="h">A</th></tr>)", R"(  <tr><td class="c">1</td></tr>)"};
            if (link) {
                rows.front() = R"(  <tr><th class="h" scope="col">A</th></tr>)";
                rows.insert(rows.begin() + 1, {"  </thead>", "  <tbody>"});
                rows.insert(rows.begin(), "  <thead>");
                rows.emplace_back("  </tbody>");
            }
            rows.insert(rows.begin(), isXhtml ? xhtml : html);
            // The caption is UTF-8 whatever the source's encoding.
            const TCellReading reading{TFieldSeparator::Tab, false, isXhtml};
            EXPECT_EQ(TextTable("A\n1", settings, reading), Framed(rows)) << link << isXhtml;
            EXPECT_EQ(SheetTable({{"A"}, {"1"}}, {}, settings, reading), Framed(rows)) << link << isXhtml;
        }
    }
}

TEST(HeaderLinks, IdStemOfTheDestinationsName)
{
    const struct {
        const char* Destination;
        const char* Stem;
    } cases[] = {
        {"ventes.html", "ventes"},
        {"/chemin/vers/ventes 2024.htm", "ventes-2024"},
        {"rapport.final.xhtml", "rapport-final"},
        {"sans_extension", "sans_extension"},
        {"2024.html", "t2024"},
        {"-tiret.html", "t-tiret"},
        {"_x.html", "t_x"},
        {"\xC3\xA9t\xC3\xA9 (1).html", "t-t---1-"},
        {"a+b=c.txt", "a-b-c"},
        {"", "tableau"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IdStemOf(reinterpret_cast<const char8_t*>(c.Destination)), c.Stem) << c.Destination;
}

// A run takes the stem from its destination.
TEST(HeaderLinks, ARunsIdsCarryTheDestinationsStem)
{
    TConversionSettings settings = testkit::StartingSettings();
    settings.TitleRows = 2;
    settings.LinkHeaders = true;
    for (const auto& [destination, id] : {std::pair{"/x/Ventes 2024.html", "Ventes-2024-1-1"}, {"", "tableau-1-1"}}) {
        settings.DestFileName = destination;
        EXPECT_THAT(testkit::ConvertInMemory("A\nB\n1", settings),
                    ::testing::HasSubstr("<th id=\"" + std::string(id) + "\" scope=\"col\">A</th>"))
            << destination;
    }
}

// The property: on random sheets and texts, each cell's header cells as a browser finds them in the
// table we write are those the standard's assignment gives on the source's own grid, where the
// header rows' cells are column headers, the header columns' below them row headers, and a blank
// header cell an empty header cell.

// A source's cell, placed where the table as written puts it: Header, Scope and Empty as the
// source's grid has them.
struct TSourceCell {
    TGridCell Grid;
    bool InHeaderRows = false;
};

struct TSourceTable {
    std::vector<TSourceCell> Cells;  // in tree order
    std::size_t HeaderRows = 0;  // as written
    std::size_t Rows = 0;
    std::string Description;
};

// Only spaces, tabs and no-break spaces.
bool IsBlank(std::string_view text, bool utf8)
{
    const std::string_view space = utf8 ? "\xC2\xA0" : "\xA0";
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == ' ' || text[at] == '\t')
            ++at;
        else if (text.substr(at).starts_with(space))
            at += space.size();
        else
            return false;
    }
    return true;
}

TSourceCell SourceCell(std::size_t row, std::size_t col, const TTableSettings& settings, std::string_view text,
                       bool utf8)
{
    TSourceCell cell;
    cell.InHeaderRows = row < HeaderCount(settings.TitleRows);
    cell.Grid.Header = cell.InHeaderRows || col < HeaderCount(settings.TitleCols);
    cell.Grid.Scope = cell.InHeaderRows ? testkit::TCellScope::Col : testkit::TCellScope::Row;
    cell.Grid.Empty = IsBlank(text, utf8);
    return cell;
}

// The text with its tabs and line ends shown.
std::string Shown(std::string_view text)
{
    std::string shown;
    for (const char byte : text)
        shown += byte == '\t' ? "\\t" : byte == '\n' ? "\\n" : byte == '\r' ? "\\r" : std::string(1, byte);
    return shown;
}

// A sheet's cells placed as the table writes them: a merged area is one cell, and the rows and
// columns in which no cell begins are left out.
TSourceTable SheetSource(const TRows& rows, const std::vector<TMergedArea>& merges, const TTableSettings& settings)
{
    const std::size_t height = rows.size();
    const std::size_t width = rows.front().size();
    std::vector<std::vector<int>> areaAt(height, std::vector<int>(width, -1));
    for (std::size_t index = 0; index < merges.size(); ++index) {
        for (std::size_t row = merges[index].Top; row <= merges[index].Bottom; ++row)
            std::fill(areaAt[row].begin() + merges[index].Left, areaAt[row].begin() + merges[index].Right + 1,
                      static_cast<int>(index));
    }
    std::vector<TMergedArea> anchors;
    std::vector<std::size_t> rowAt(height + 1), colAt(width + 1);  // from flags to counts below
    for (std::uint32_t row = 0; row < height; ++row) {
        for (std::uint32_t col = 0; col < width; ++col) {
            const int area = areaAt[row][col];
            const TMergedArea anchor =
                area >= 0 ? merges[static_cast<std::size_t>(area)] : TMergedArea{row, col, row, col};
            if (anchor.Top != row || anchor.Left != col)
                continue;
            anchors.push_back(anchor);
            rowAt[row + 1] = colAt[col + 1] = 1;
        }
    }
    std::partial_sum(rowAt.begin(), rowAt.end(), rowAt.begin());
    std::partial_sum(colAt.begin(), colAt.end(), colAt.begin());
    TSourceTable table;
    for (const TMergedArea& area : anchors) {
        TSourceCell cell = SourceCell(area.Top, area.Left, settings, rows[area.Top][area.Left], true);
        cell.Grid.X = colAt[area.Left];
        cell.Grid.Y = rowAt[area.Top];
        cell.Grid.Width = colAt[area.Right + 1] - cell.Grid.X;
        cell.Grid.Height = rowAt[area.Bottom + 1] - cell.Grid.Y;
        table.Cells.push_back(cell);
    }
    table.HeaderRows = rowAt[std::min(HeaderCount(settings.TitleRows), height)];
    table.Rows = rowAt[height];
    std::ostringstream description;
    description << settings.TitleRows << " header rows, " << settings.TitleCols << " header columns; sheet:\n";
    for (const auto& row : rows) {
        for (const std::string& text : row)
            description << "[" << Shown(text) << "]";
        description << "\n";
    }
    for (const TMergedArea& area : merges)
        description << "merged rows " << area.Top << "-" << area.Bottom << ", columns " << area.Left << "-"
                    << area.Right << "\n";
    table.Description = description.str();
    return table;
}

TSourceTable TextSource(const std::vector<std::vector<std::string>>& rows, const TTableSettings& settings,
                        bool utf8, std::string_view text)
{
    TSourceTable table;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t col = 0; col < rows[row].size(); ++col) {
            TSourceCell cell = SourceCell(row, col, settings, rows[row][col], utf8);
            cell.Grid.X = col;
            cell.Grid.Y = row;
            table.Cells.push_back(cell);
        }
    }
    table.HeaderRows = std::min(HeaderCount(settings.TitleRows), rows.size());
    table.Rows = rows.size();
    table.Description = std::to_string(settings.TitleRows) + " header rows, " + std::to_string(settings.TitleCols)
        + " header columns; " + (utf8 ? "UTF-8" : "Windows-1252") + " text: " + Shown(text);
    return table;
}

// The table read back from its lines.
struct TWrittenCell {
    TGridCell Grid;
    std::string Class;
    bool Scoped = false;
};

struct TWrittenTable {
    std::vector<TWrittenCell> Cells;  // placed as a browser places them, in tree order
    std::size_t HeadRows = 0;  // none without row groups
};

constexpr std::array<std::string_view, 6> AttributeOrder = {"class", "id", "scope", "headers", "colspan", "rowspan"};

std::string SetAttribute(TWrittenCell& cell, std::string_view name, const std::string& value)
{
    if (name == "class")
        cell.Class = value;
    else if (name == "id")
        cell.Grid.Id = value;
    else if (name == "headers")
        cell.Grid.Headers = value;
    else if (name == "scope" && (value == "col" || value == "row"))
        cell.Grid.Scope = value == "col" ? testkit::TCellScope::Col : testkit::TCellScope::Row;
    else if (name == "colspan" || name == "rowspan")
        (name == "colspan" ? cell.Grid.Width : cell.Grid.Height) = std::stoul(value);
    else
        return "scope=\"" + value + "\"";
    cell.Scoped = cell.Scoped || name == "scope";
    return {};
}

// A row line's cells, each with its attributes in their order and its text: what is wrong, if
// anything.
std::string ReadRow(std::string_view line, std::vector<TWrittenCell>& row)
{
    constexpr std::string_view opening = "  <tr>";
    constexpr std::string_view closing = "</tr>";
    if (!line.starts_with(opening) || !line.ends_with(closing))
        return "not a row";
    line = line.substr(opening.size(), line.size() - opening.size() - closing.size());
    while (!line.empty()) {
        if (!line.starts_with("<th") && !line.starts_with("<td"))
            return "no cell at " + std::string(line);
        TWrittenCell cell;
        cell.Grid.Header = line.starts_with("<th");
        const std::string end = cell.Grid.Header ? "</th>" : "</td>";
        line.remove_prefix(3);
        auto next = AttributeOrder.begin();
        while (line.starts_with(' ')) {
            const std::size_t equals = line.find("=\"");
            const std::size_t quote = equals == std::string_view::npos ? equals : line.find('"', equals + 2);
            if (quote == std::string_view::npos)
                return "an attribute unclosed";
            const std::string_view name = line.substr(1, equals - 1);
            next = std::find(next, AttributeOrder.end(), name);
            if (next++ == AttributeOrder.end())
                return std::string(name) + " unknown, repeated or out of order";
            if (std::string wrong = SetAttribute(cell, name, std::string(line.substr(equals + 2, quote - equals - 2)));
                !wrong.empty())
                return wrong;
            line.remove_prefix(quote + 1);
        }
        const std::size_t textEnd = line.find(end);
        if (!line.starts_with('>') || textEnd == std::string_view::npos)
            return "a cell unclosed";
        // Our texts hold no element but a break, which is not white space.
        cell.Grid.Empty = line.substr(1, textEnd - 1).find_first_not_of("\t\n\f\r ") == std::string_view::npos;
        line.remove_prefix(textEnd + end.size());
        row.push_back(std::move(cell));
    }
    return {};
}

// The lines between the table's opening and closing ones: rows, or a head and a body of rows.
std::string ReadTable(const TLines& lines, TWrittenTable& table)
{
    if (lines.size() < 2 || !lines.front().starts_with("<table") || lines.back() != "</table>")
        return "no table";
    std::vector<std::vector<std::vector<TGridCell>>> groups(1);
    std::vector<TWrittenCell> cells;
    const std::vector<std::string_view> groupLines = {"  <thead>", "  </thead>", "  <tbody>", "  </tbody>"};
    std::size_t groupLine = 0;
    for (std::size_t index = 1; index + 1 < lines.size(); ++index) {
        const std::string& line = lines[index];
        if (groupLine < groupLines.size() && line == groupLines[groupLine]) {
            if (groupLine++ == 1) {
                table.HeadRows = groups.back().size();
                groups.emplace_back();
            }
            continue;
        }
        std::vector<TWrittenCell> row;
        if (std::string wrong = ReadRow(line, row); !wrong.empty())
            return "line " + std::to_string(index + 1) + ": " + wrong;
        groups.back().emplace_back();
        for (TWrittenCell& cell : row) {
            groups.back().back().push_back(cell.Grid);
            cells.push_back(std::move(cell));
        }
    }
    if (groupLine != 0 && (groupLine != groupLines.size() || lines[lines.size() - 2] != groupLines.back()))
        return "row groups out of order";
    const std::vector<TGridCell> placed = testkit::FormTable(groups);
    for (std::size_t index = 0; index < cells.size(); ++index)
        cells[index].Grid = placed[index];
    table.Cells = std::move(cells);
    return {};
}

// The header cells that the rule ties a cell to: those of the header rows above it that share a
// column with it, top to bottom and left to right, then those of the header columns below the
// header rows that share a row with it and stand left of it, left to right.
std::vector<std::size_t> RuleHeaders(const TSourceTable& source, std::size_t principal)
{
    const TGridCell& cell = source.Cells[principal].Grid;
    const auto meet = [](std::size_t a, std::size_t aSize, std::size_t b, std::size_t bSize) {
        return a < b + bSize && b < a + aSize;
    };
    std::vector<std::size_t> above, left;
    for (std::size_t index = 0; index < source.Cells.size(); ++index) {
        const TSourceCell& header = source.Cells[index];
        const TGridCell& grid = header.Grid;
        if (!grid.Header || grid.Empty)
            continue;
        if (header.InHeaderRows && grid.Y + grid.Height <= cell.Y && meet(grid.X, grid.Width, cell.X, cell.Width))
            above.push_back(index);
        else if (!header.InHeaderRows && grid.X + grid.Width <= cell.X
                 && meet(grid.Y, grid.Height, cell.Y, cell.Height))
            left.push_back(index);
    }
    std::stable_sort(left.begin(), left.end(),
                     [&](std::size_t a, std::size_t b) { return source.Cells[a].Grid.X < source.Cells[b].Grid.X; });
    above.insert(above.end(), left.begin(), left.end());
    return above;
}

class TLinkCheck {
public:
    TLinkCheck(const TSourceTable& source, std::string_view stem) : Source(source), Stem(stem) {}

    // Whether the table written from the source holds: the failures say where it does not.
    bool Holds(const TLines& lines)
    {
        if (const std::string wrong = ReadTable(lines, Written); !wrong.empty())
            return Fail(wrong);
        return Matched() && Tags() && Head() && Attributes() && Assignment();
    }

private:
    bool Fail(const std::string& what)
    {
        ADD_FAILURE() << what << "\n" << Source.Description;
        return false;
    }
    std::string Place(std::size_t source) const
    {
        const TGridCell& cell = Source.Cells[source].Grid;
        return "(" + std::to_string(cell.Y + 1) + "," + std::to_string(cell.X + 1) + ")";
    }
    std::string Places(const std::vector<std::size_t>& cells) const
    {
        std::string text = "{";
        for (const std::size_t cell : cells)
            text += " " + Place(cell);
        return text + " }";
    }

    // The same cells in the same places, both in tree order.
    bool Matched()
    {
        if (Written.Cells.size() != Source.Cells.size())
            return Fail(std::to_string(Written.Cells.size()) + " cells written, " + std::to_string(Source.Cells.size())
                        + " expected");
        for (std::size_t index = 0; index < Source.Cells.size(); ++index) {
            const TGridCell& cell = Source.Cells[index].Grid;
            const TGridCell& written = Written.Cells[index].Grid;
            if (std::tie(written.X, written.Y, written.Width, written.Height)
                != std::tie(cell.X, cell.Y, cell.Width, cell.Height))
                return Fail("no cell at " + Place(index) + " of its spans");
        }
        return true;
    }

    // th for a header cell with a text, with the header class; td with the data cells' class else.
    bool Tags()
    {
        for (std::size_t index = 0; index < Source.Cells.size(); ++index) {
            const TGridCell& cell = Source.Cells[index].Grid;
            const TWrittenCell& written = Written.Cells[index];
            const bool header = cell.Header && !cell.Empty;
            if (written.Grid.Header != header || written.Class != (header ? "h" : "c"))
                return Fail("cell " + Place(index) + " written as " + (written.Grid.Header ? "th" : "td"));
        }
        return true;
    }

    // The head ends at the first row boundary at or below the header rows that no cell crosses,
    // and there are groups only when the head and the body both hold a row.
    bool Head()
    {
        std::size_t end = Source.HeaderRows;
        for (bool crossed = true; crossed; end += crossed ? 1 : 0) {
            crossed = std::any_of(Source.Cells.begin(), Source.Cells.end(), [&](const TSourceCell& cell) {
                return cell.Grid.Y < end && end < cell.Grid.Y + cell.Grid.Height;
            });
        }
        const std::size_t expected = end > 0 && end < Source.Rows ? end : 0;
        if (Written.HeadRows != expected)
            return Fail("a head of " + std::to_string(Written.HeadRows) + " rows, " + std::to_string(expected)
                        + " expected");
        return true;
    }

    // A browser reading scope takes a blank cell or a data cell of a header column for the end of
    // a block of headers: a header cell below it would lose the header cell of the header rows
    // above it.
    bool CutOffByABlank() const
    {
        const std::vector<std::size_t> headers = Headers();
        for (const std::size_t above : headers) {
            const TGridCell& top = Source.Cells[above].Grid;
            for (const std::size_t below : headers) {
                const TGridCell& bottom = Source.Cells[below].Grid;
                if (!Source.Cells[above].InHeaderRows || Source.Cells[below].InHeaderRows || bottom.X != top.X
                    || bottom.Y <= top.Y)
                    continue;
                for (const TSourceCell& cell : Source.Cells) {
                    const TGridCell& between = cell.Grid;
                    if ((!between.Header || between.Empty) && between.X <= top.X && top.X < between.X + between.Width
                        && between.Y > top.Y && between.Y < bottom.Y)
                        return true;
                }
            }
        }
        return false;
    }

    // Scopes where at most one row of the header rows and one column of the header columns hold a
    // header cell and none of them spans; ids and headers else, and the header cells' scopes too.
    bool Attributes()
    {
        std::set<std::size_t> headerRows, headerCols;
        bool spans = false;
        for (const std::size_t index : Headers()) {
            const TGridCell& cell = Source.Cells[index].Grid;
            if (Source.Cells[index].InHeaderRows)
                headerRows.insert(cell.Y);
            else
                headerCols.insert(cell.X);
            spans = spans || cell.Width > 1 || cell.Height > 1;
        }
        const bool simple = headerRows.size() <= 1 && headerCols.size() <= 1 && !spans && !CutOffByABlank();
        std::set<std::string> ids;
        for (std::size_t index = 0; index < Source.Cells.size(); ++index) {
            const TWrittenCell& written = Written.Cells[index];
            const bool header = written.Grid.Header;
            const std::string id = header && !simple ? Id(index) : "";
            const bool scoped = header;
            const auto scope = Source.Cells[index].InHeaderRows ? testkit::TCellScope::Col : testkit::TCellScope::Row;
            if (written.Grid.Id != id || written.Scoped != scoped || (scoped && written.Grid.Scope != scope))
                return Fail("cell " + Place(index) + (simple ? " of a simple table" : " of a table with ids")
                            + ": id \"" + written.Grid.Id + "\", " + (written.Scoped ? "a" : "no") + " scope");
            if (written.Grid.Headers && (simple || written.Grid.Headers->empty()))
                return Fail("cell " + Place(index) + " has headers=\"" + *written.Grid.Headers + "\"");
            if (!id.empty() && !ids.insert(id).second)
                return Fail("id " + id + " twice");
        }
        return true;
    }

    // Each cell's header cells as a browser finds them against the standard's on the source's grid,
    // and a headers attribute in the rule's order. Where a block of header cells that the
    // standard's scan meets beyond a data cell hides a header cell of its own place and size, the
    // rule keeps that one (see AHeaderAboveAMergedRowHeaderStillHeadsItsColumn).
    bool Assignment()
    {
        std::vector<TGridCell> writtenGrid, sourceGrid;
        for (const TWrittenCell& cell : Written.Cells)
            writtenGrid.push_back(cell.Grid);
        for (const TSourceCell& cell : Source.Cells)
            sourceGrid.push_back(cell.Grid);
        const testkit::THeaderAssignment browser(writtenGrid);
        const testkit::THeaderAssignment standard(sourceGrid);
        const testkit::THeaderAssignment unhidden(sourceGrid, false);
        const bool scoped = std::any_of(Written.Cells.begin(), Written.Cells.end(),
                                        [](const TWrittenCell& cell) { return cell.Scoped; });
        bool holds = true;
        for (std::size_t index = 0; index < Source.Cells.size(); ++index) {
            const std::vector<std::size_t> found = browser.HeadersOf(index);
            const std::vector<std::size_t> rule = RuleHeaders(Source, index);
            std::vector<std::size_t> expected = standard.HeadersOf(index);
            if (Sorted(rule) != Sorted(expected) && Sorted(rule) == Sorted(unhidden.HeadersOf(index)))
                expected = rule;
            const auto& headers = Written.Cells[index].Grid.Headers;
            if (Sorted(found) != Sorted(expected)) {
                holds = Fail("cell " + Place(index)
                             + (headers ? " with headers=\"" + *headers + "\"" : " without headers")
                             + (scoped ? " in a table with scopes" : " in a table with ids") + ": headers "
                             + Places(found) + ", the standard's " + Places(expected) + ", the rule's " + Places(rule));
            } else if (headers && found != rule) {
                holds = Fail("cell " + Place(index) + ": headers in the order " + Places(found) + ", not "
                             + Places(rule));
            } else if (headers && Tokens(*headers) != found.size()) {
                holds = Fail("cell " + Place(index) + ": headers=\"" + *headers
                             + "\" names a cell twice, a blank one or none");
            }
        }
        return holds;
    }

    static std::size_t Tokens(const std::string& list)
    {
        std::istringstream tokens(list);
        return static_cast<std::size_t>(std::distance(std::istream_iterator<std::string>(tokens), {}));
    }

    std::vector<std::size_t> Headers() const
    {
        std::vector<std::size_t> headers;
        for (std::size_t index = 0; index < Source.Cells.size(); ++index) {
            if (Source.Cells[index].Grid.Header && !Source.Cells[index].Grid.Empty)
                headers.push_back(index);
        }
        return headers;
    }
    std::string Id(std::size_t index) const
    {
        const TGridCell& cell = Source.Cells[index].Grid;
        return std::string(Stem) + "-" + std::to_string(cell.Y + 1) + "-" + std::to_string(cell.X + 1);
    }
    static std::vector<std::size_t> Sorted(std::vector<std::size_t> cells)
    {
        std::sort(cells.begin(), cells.end());
        return cells;
    }

    const TSourceTable& Source;
    std::string_view Stem;
    TWrittenTable Written;
};

// Few enough failing tables to read: the first ones found.
constexpr int MostFailingTables = 3;

class TDice {
public:
    explicit TDice(std::uint32_t seed) : Engine(seed) {}
    // From 0 to count - 1.
    std::uint32_t Below(std::size_t count)
    {
        return std::uniform_int_distribution<std::uint32_t>(0, static_cast<std::uint32_t>(count) - 1)(Engine);
    }
    const std::string& Of(const std::vector<std::string>& texts) { return texts[Below(texts.size())]; }
    // Header counts from none to past a small sheet.
    TTableSettings Settings() { return LinkSettings(static_cast<int>(Below(5)), static_cast<int>(Below(5))); }

private:
    std::mt19937 Engine;
};

// Areas of up to 3 by 3 thrown on the sheet, each kept where it covers no other.
std::vector<TMergedArea> RandomMerges(TDice& dice, std::uint32_t height, std::uint32_t width)
{
    std::vector<TMergedArea> merges;
    std::vector<std::vector<bool>> merged(height, std::vector<bool>(width));
    for (std::uint32_t tries = dice.Below(6); tries > 0; --tries) {
        const std::uint32_t top = dice.Below(height), left = dice.Below(width);
        const TMergedArea area{top, left, std::min(height - 1, top + dice.Below(3)),
                               std::min(width - 1, left + dice.Below(3))};
        bool free = area.Top != area.Bottom || area.Left != area.Right;
        for (std::uint32_t row = area.Top; row <= area.Bottom; ++row)
            free = free && std::none_of(merged[row].begin() + area.Left, merged[row].begin() + area.Right + 1,
                                        [](bool taken) { return taken; });
        if (!free)
            continue;
        for (std::uint32_t row = area.Top; row <= area.Bottom; ++row)
            std::fill(merged[row].begin() + area.Left, merged[row].begin() + area.Right + 1, true);
        merges.push_back(area);
    }
    return merges;
}

TEST(HeaderLinks, EverySheetCellHasTheStandardsHeaders)
{
    TDice dice(20240525);
    const std::vector<std::string> texts = {"", "", " ", "\t", "\xC2\xA0", " \xC2\xA0\t", "a", "b c", "\xC3\xA9", "1"};
    int failing = 0;
    for (int round = 0; round < 400 && failing < MostFailingTables; ++round) {
        const std::uint32_t height = 1 + dice.Below(6);
        const std::uint32_t width = 1 + dice.Below(6);
        TRows rows(height, std::vector<std::string>(width));
        for (auto& row : rows) {
            for (std::string& text : row)
                text = dice.Of(texts);
        }
        // A text at the bottom right, covered or not, makes the rectangle the whole grid.
        while (rows.back().back().empty())
            rows.back().back() = dice.Of(texts);
        const std::vector<TMergedArea> merges = RandomMerges(dice, height, width);
        const TTableSettings settings = dice.Settings();
        const TCellReading reading{TFieldSeparator::Tab, true, false, round % 2 == 0 ? "t" : "ventes_2024"};
        const TSourceTable source = SheetSource(rows, merges, settings);
        if (!TLinkCheck(source, reading.IdStem).Holds(SheetTable(rows, merges, settings, reading)))
            ++failing;
    }
}

// Ragged rows and blank fields. (That blocks change nothing is the blocks' own test's.)
TEST(HeaderLinks, EveryTextCellHasTheStandardsHeaders)
{
    TDice dice(20240526);
    const std::vector<std::string> utf8Texts = {"", " ", "\xC2\xA0", "  \xC2\xA0", "a", "b c", "\xC3\xA9", "1"};
    const std::vector<std::string> windowsTexts = {"", " ", "\xA0", " \xA0", "\xC2\xA0", "a", "\xE9", "1"};
    int failing = 0;
    for (int round = 0; round < 400 && failing < MostFailingTables; ++round) {
        const bool utf8 = round % 2 == 0;
        std::vector<std::vector<std::string>> rows(1 + dice.Below(6));
        std::string text;
        for (auto& row : rows) {
            row.resize(1 + dice.Below(5));
            for (std::string& field : row)
                text += (field = dice.Of(utf8 ? utf8Texts : windowsTexts)) + "\t";
            text.back() = '\n';
            if (dice.Below(3) == 0)
                text.insert(text.size() - 1, "\r");
        }
        text.resize(text.size() - (text.ends_with("\r\n") ? 2 : 1));
        // A line end that ends the text opens no row.
        if (rows.back() == std::vector<std::string>{""})
            rows.pop_back();
        const TTableSettings settings = dice.Settings();
        const TCellReading reading{TFieldSeparator::Tab, utf8, false, "t"};
        const TLines lines = TextTable(text, settings, reading);
        if (!TLinkCheck(TextSource(rows, settings, utf8, text), reading.IdStem).Holds(lines))
            ++failing;
    }
}

}  // namespace

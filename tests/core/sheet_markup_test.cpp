#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/sheet_markup.h"
#include "tests/testkit/line_text.h"
#include "tests/testkit/starting_settings.h"
#include "tests/testkit/test_sheet.h"

namespace {

using namespace tabulor;
using ::testing::ElementsAreArray;
using tabulor::testkit::SplitCrLf;

using testkit::TRows;
using testkit::TTestSheet;

// The table's row lines, without its opening and closing ones. Header cells have a class, data
// cells none, so that the spans' place after the class shows.
std::vector<std::string> SheetRows(const TRows& rows, const std::vector<TMergedArea>& merges, int headerRows,
                                   int headerCols, bool xhtml = false)
{
    TTestSheet sheet(rows, merges);
    TTableSettings settings = testkit::StartingSettings();
    settings.TitleRows = headerRows;
    settings.TitleCols = headerCols;
    settings.HeaderClass = "h";
    settings.EmptyCellText = "-";
    TOutputLines output;
    AddSheetTableLines(sheet, output, settings, {TFieldSeparator::Tab, true, xhtml});
    std::vector<std::string> lines = SplitCrLf(output.Text());
    EXPECT_EQ(lines.front(), "<table border=\"1px\">");
    EXPECT_EQ(lines.back(), "</table>");
    return {lines.begin() + 1, lines.end() - 1};
}

TEST(SheetMarkup, TheRectangleFromA1WithEveryRowFull)
{
    const struct {
        const char* Name;
        TRows Rows;
        int HeaderRows, HeaderCols;
        std::vector<std::string> Lines;
    } cases[] = {
        {"empty sheet", {}, 1, 0, {}},
        {"leading empties kept", {{}, {"", "", "x"}}, 0, 0,
         {"  <tr><td>-</td><td>-</td><td>-</td></tr>", "  <tr><td>-</td><td>-</td><td>x</td></tr>"}},
        {"short rows filled", {{"a", "b", "c"}, {"d"}}, 1, 1,
         {"  <tr><th class=\"h\">a</th><th class=\"h\">b</th><th class=\"h\">c</th></tr>",
          "  <tr><th class=\"h\">d</th><td>-</td><td>-</td></tr>"}},
        {"negative counts are none", {{"a", "b"}}, -1, -7, {"  <tr><td>a</td><td>b</td></tr>"}},
    };
    for (const auto& c : cases)
        EXPECT_THAT(SheetRows(c.Rows, {}, c.HeaderRows, c.HeaderCols), ElementsAreArray(c.Lines)) << c.Name;
}

TEST(SheetMarkup, MergedAreasAreOneCellWithTheirSpans)
{
    const TRows abc = {{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}};
    const struct {
        const char* Name;
        std::vector<TMergedArea> Merges;
        int HeaderRows, HeaderCols;
        std::vector<std::string> Lines;
    } cases[] = {
        {"a header row's merge", {{0, 0, 0, 2}}, 1, 0,
         {"  <tr><th class=\"h\" colspan=\"3\">a</th></tr>", "  <tr><td>d</td><td>e</td><td>f</td></tr>",
          "  <tr><td>g</td><td>h</td><td>i</td></tr>"}},
        {"header by its top-left only", {{0, 0, 1, 1}, {1, 2, 2, 2}}, 0, 1,
         {"  <tr><th class=\"h\" colspan=\"2\" rowspan=\"2\">a</th><td>c</td></tr>",
          "  <tr><td rowspan=\"2\">f</td></tr>", "  <tr><th class=\"h\">g</th><td>h</td></tr>"}},
        {"data when the top-left is out of the headers", {{0, 1, 1, 2}}, 0, 1,
         {"  <tr><th class=\"h\">a</th><td colspan=\"2\" rowspan=\"2\">b</td></tr>", "  <tr><th class=\"h\">d</th></tr>",
          "  <tr><th class=\"h\">g</th><td>h</td><td>i</td></tr>"}},
        {"clipped to the rectangle", {{1, 1, 9, 99}, {3, 0, 4, 1}, {0, 3, 0, 5}}, 0, 0,
         {"  <tr><td>a</td><td>b</td><td>c</td></tr>", "  <tr><td>d</td><td colspan=\"2\" rowspan=\"2\">e</td></tr>",
          "  <tr><td>g</td></tr>"}},
        {"clipped to one cell", {{2, 2, 5, 5}, {1, 1, 1, 1}}, 0, 0,
         {"  <tr><td>a</td><td>b</td><td>c</td></tr>", "  <tr><td>d</td><td>e</td><td>f</td></tr>",
          "  <tr><td>g</td><td>h</td><td>i</td></tr>"}},
        {"overlapping a former one", {{0, 0, 1, 0}, {1, 0, 1, 2}, {0, 1, 0, 2}, {2, 1, 2, 2}, {1, 2, 2, 2}}, 0, 0,
         {"  <tr><td rowspan=\"2\">a</td><td colspan=\"2\">b</td></tr>", "  <tr><td>e</td><td>f</td></tr>",
          "  <tr><td>g</td><td colspan=\"2\">h</td></tr>"}},
        {"rows covered whole are left out", {{0, 0, 2, 0}, {0, 1, 1, 2}}, 0, 0,
         {"  <tr><td rowspan=\"2\">a</td><td colspan=\"2\">b</td></tr>", "  <tr><td>h</td><td>i</td></tr>"}},
        {"a span down to one row is a plain cell", {{1, 0, 2, 2}}, 1, 0,
         {"  <tr><th class=\"h\">a</th><th class=\"h\">b</th><th class=\"h\">c</th></tr>",
          "  <tr><td colspan=\"3\">d</td></tr>"}},
        {"columns covered whole are left out too", {{0, 0, 2, 0}, {0, 1, 0, 2}, {1, 1, 2, 2}}, 0, 0,
         {"  <tr><td rowspan=\"2\">a</td><td>b</td></tr>", "  <tr><td>e</td></tr>"}},
    };
    for (const auto& c : cases)
        EXPECT_THAT(SheetRows(abc, c.Merges, c.HeaderRows, c.HeaderCols), ElementsAreArray(c.Lines)) << c.Name;
}

// The merges of a sane file are all kept, however many share a word of the overlap check; past
// a pile of overlapping ones, the rest are ignored and their cells written plainly.
TEST(SheetMarkup, TheMergeCheckHasABudget)
{
    const TRows abc = {{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}};
    std::vector<TMergedArea> piled = {{2, 1, 2, 2}};
    piled.insert(piled.end(), 1000, TMergedArea{0, 0, 2, 2});
    piled.push_back({0, 0, 1, 0});
    const TRows wide(2, std::vector<std::string>(130, "v"));
    std::vector<TMergedArea> columns;
    std::string wideRow = "  <tr>";
    for (std::uint32_t col = 0; col < 130; ++col) {
        columns.push_back({0, col, 1, col});
        wideRow += "<td>v</td>";
    }
    const struct {
        const char* Name;
        TRows Rows;
        std::vector<TMergedArea> Merges;
        std::vector<std::string> Lines;
    } cases[] = {
        {"a column each, the second row covered whole", wide, columns, {wideRow + "</tr>"}},
        {"a pile of overlapping merges", abc, piled,
         {"  <tr><td>a</td><td>b</td><td>c</td></tr>", "  <tr><td>d</td><td>e</td><td>f</td></tr>",
          "  <tr><td>g</td><td colspan=\"2\">h</td></tr>"}},
    };
    for (const auto& c : cases)
        EXPECT_THAT(SheetRows(c.Rows, c.Merges, 0, 0), ElementsAreArray(c.Lines)) << c.Name;
}

TEST(SheetMarkup, AnEmptyMergedCellGetsTheEmptyCellText)
{
    EXPECT_THAT(SheetRows({{"", "", "x"}, {"d", "e", "f"}}, {{0, 0, 0, 1}}, 0, 0),
                ElementsAreArray({"  <tr><td colspan=\"2\">-</td><td>x</td></tr>",
                                  "  <tr><td>d</td><td>e</td><td>f</td></tr>"}));
}

// As a UTF-8 source's cells are written.
TEST(SheetMarkup, CellTextAsForUnicodeSources)
{
    const struct {
        std::string Text;
        bool Xhtml;
        std::string Written;
    } cases[] = {
        {"a\nb", false, "a<br>b"},
        {"a\nb", true, "a<br />b"},
        {"\r\n\n\r", false, "<br><br><br>"},
        {"x & <y> \"z\"", false, "x &amp; &lt;y&gt; \"z\""},
        {"été 10\xC2\xA0\xE2\x82\xAC", false, "&eacute;t&eacute; 10&nbsp;&euro;"},
        {"\xC4\x80 \xF0\x9F\x98\x80 \xE2\x80\x94", false, "&#256; &#128512; &mdash;"},
        {" \t ", false, " \t "},
        {"\xC2\x9F\xC2\xA0\xC2\xBF\xC3\x80\xC3\xBF", false, "&#65533;&nbsp;&iquest;&Agrave;&yuml;"},
        {"\xC3(\xC2", false, "&#65533;(&#65533;"},
        {"abcdefghijklmnopqrst<uvwxyzabcdefghij\xC3\xA9klmnopqrstuvwxyz0123\r\n", false,
         "abcdefghijklmnopqrst&lt;uvwxyzabcdefghij&eacute;klmnopqrstuvwxyz0123<br>"},
    };
    for (const auto& c : cases) {
        EXPECT_THAT(SheetRows({{c.Text}}, {}, 0, 0, c.Xhtml),
                    ElementsAreArray({"  <tr><td>" + c.Written + "</td></tr>"}))
            << c.Text;
    }
}

// Long texts are written a block at a time: no character may be cut where a block ends.
TEST(SheetMarkup, LongTextsWholeAcrossBlocks)
{
    for (const std::string& unit : {std::string("\xC3\xA9"), std::string("a\xF0\x9F\x98\x80"), std::string("&\n")}) {
        std::string text;
        std::string written;
        const std::string unitText = unit == "&\n" ? "&amp;<br>" : unit[0] == 'a' ? "a&#128512;" : "&eacute;";
        for (int i = 0; i < 12'000; ++i) {
            text += unit;
            written += unitText;
        }
        EXPECT_EQ(SheetRows({{text}}, {}, 0, 0), std::vector<std::string>{"  <tr><td>" + written + "</td></tr>"});
    }
}

}  // namespace

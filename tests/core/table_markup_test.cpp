#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/table_markup.h"
#include "tests/testkit/line_text.h"
#include "tests/testkit/reference_table.h"
#include "tests/testkit/starting_settings.h"

namespace {

using namespace tabulor;
using ::testing::ElementsAre;
using tabulor::testkit::SplitCrLf;
using tabulor::testkit::StartingSettings;

std::vector<std::string> Table(std::string_view source, const TTableSettings& settings = StartingSettings())
{
    TOutputLines output;
    AddTableLines(source, output, settings);
    return SplitCrLf(output.Text());
}

// The reference the output is held against splits a line as the table must.
TEST(TableMarkup, ReferenceFieldsAreTheRunsBetweenTabs)
{
    const struct {
        std::string_view line;
        std::vector<std::string_view> fields;
    } cases[] = {
        {"a\tb\tc", {"a", "b", "c"}}, {"\tb", {"", "b"}}, {"a\t", {"a", ""}},
        {"a\t\tc", {"a", "", "c"}},   {"", {""}},          {"abc", {"abc"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reference::Fields(c.line), c.fields) << c.line;
}

// A negative header count means none: the request is not checked, and nothing turns it into a
// count of every row.
TEST(TableMarkup, NegativeHeaderCountsMeanNone)
{
    TConversionSettings none = StartingSettings();
    none.TitleRows = 0;
    TConversionSettings negative = StartingSettings();
    negative.TitleRows = -1;
    negative.TitleCols = -2147483647 - 1;
    EXPECT_EQ(Table("a\tb\nc\td", negative), Table("a\tb\nc\td", none));
}

TEST(TableMarkup, EmptySourceGivesOpeningAndClosingLines)
{
    EXPECT_THAT(Table(""), ElementsAre("<table border=\"1px\">", "</table>"));
    TConversionSettings noBorder = StartingSettings();
    noBorder.Border.clear();
    EXPECT_THAT(Table("", noBorder), ElementsAre("<table>", "</table>"));
}

TEST(TableMarkup, FieldsBecomeCellsWithoutPadding)
{
    TConversionSettings settings = StartingSettings();
    settings.TitleRows = 0;
    EXPECT_THAT(Table("\na\t\tb\n\tx\ny\t\na\tb\tc\td\ne", settings),
                ElementsAre("<table border=\"1px\">",
                            "  <tr><td>&nbsp;</td></tr>",
                            "  <tr><td>a</td><td>&nbsp;</td><td>b</td></tr>",
                            "  <tr><td>&nbsp;</td><td>x</td></tr>",
                            "  <tr><td>y</td><td>&nbsp;</td></tr>",
                            "  <tr><td>a</td><td>b</td><td>c</td><td>d</td></tr>",
                            "  <tr><td>e</td></tr>",
                            "</table>"));
}

TEST(TableMarkup, EmptyFirstLineWithDefaultsIsOneHeaderCell)
{
    EXPECT_THAT(Table("\r\n"), ElementsAre("<table border=\"1px\">", "  <tr><th>&nbsp;</th></tr>", "</table>"));
}

TEST(TableMarkup, HeaderCountsChooseHeaderCells)
{
    const std::string_view source = "a\tb\tc\nd\te\tf\ng";
    const struct {
        int rows, cols;
        std::vector<std::string> body;
    } cases[] = {
        {1, 0, {"<th>a</th><th>b</th><th>c</th>", "<td>d</td><td>e</td><td>f</td>", "<td>g</td>"}},
        {0, 2, {"<th>a</th><th>b</th><td>c</td>", "<th>d</th><th>e</th><td>f</td>", "<th>g</th>"}},
        {0, 0, {"<td>a</td><td>b</td><td>c</td>", "<td>d</td><td>e</td><td>f</td>", "<td>g</td>"}},
        {1, 1, {"<th>a</th><th>b</th><th>c</th>", "<th>d</th><td>e</td><td>f</td>", "<th>g</th>"}},
        {9, 0, {"<th>a</th><th>b</th><th>c</th>", "<th>d</th><th>e</th><th>f</th>", "<th>g</th>"}},
        {0, 9, {"<th>a</th><th>b</th><th>c</th>", "<th>d</th><th>e</th><th>f</th>", "<th>g</th>"}},
        {-3, -1, {"<td>a</td><td>b</td><td>c</td>", "<td>d</td><td>e</td><td>f</td>", "<td>g</td>"}},
    };
    for (const auto& c : cases) {
        TConversionSettings settings = StartingSettings();
        settings.TitleRows = c.rows;
        settings.TitleCols = c.cols;
        std::vector<std::string> expected{"<table border=\"1px\">"};
        for (const std::string& cells : c.body)
            expected.push_back("  <tr>" + cells + "</tr>");
        expected.push_back("</table>");
        EXPECT_EQ(Table(source, settings), expected) << c.rows << " rows, " << c.cols << " columns";
    }
}

TEST(TableMarkup, AttributesComeInOrderAndVerbatim)
{
    TConversionSettings settings = StartingSettings();
    settings.TitleCols = 1;
    settings.TableClass = "t \"q\" &amp; \xE9";
    settings.Border = "2\"em";
    settings.RowClass = "r";
    settings.HeaderClass = "h<";
    settings.CellClass = "c'";
    settings.EmptyCellText = "<vide>";
    EXPECT_THAT(Table("a\t\nb\t", settings),
                ElementsAre("<table class=\"t \"q\" &amp; \xE9\" border=\"2\"em\">",
                            "  <tr class=\"r\"><th class=\"h<\">a</th><th class=\"h<\"><vide></th></tr>",
                            "  <tr class=\"r\"><th class=\"h<\">b</th><td class=\"c'\"><vide></td></tr>",
                            "</table>"));

    TConversionSettings unitOnly = StartingSettings();
    unitOnly.Border = "px";
    unitOnly.TableClass = "x";
    unitOnly.EmptyCellText.clear();
    EXPECT_THAT(Table("\t ", unitOnly),
                ElementsAre("<table class=\"x\" border=\"px\">", "  <tr><th></th><th> </th></tr>", "</table>"));
}

TEST(TableMarkup, CellTextIsEncoded)
{
    TConversionSettings settings = StartingSettings();
    settings.TitleRows = 0;
    EXPECT_THAT(Table("\"a&b\"\t<\xE9t\xE9>\t\x80\n", settings),
                ElementsAre("<table border=\"1px\">",
                            "  <tr><td>\"a&amp;b\"</td><td>&lt;&eacute;t&eacute;&gt;</td><td>&euro;</td></tr>",
                            "</table>"));
}

// Ragged rows of every byte a line can hold, many empty cells, and rows longer than the table
// writes at once.
std::string RandomSource(unsigned seed)
{
    std::string source;
    for (int row = 0; row < 120; ++row) {
        seed = seed * 1103515245u + 12345u;
        const unsigned length = row % 40 == 7 ? 40000 : (seed >> 16) % 90;
        for (unsigned i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            const unsigned pick = (seed >> 8) % 512;
            const unsigned tabs = length > 1000 ? 10 : 160;
            char byte = pick < tabs ? '\t' : pick < 320 ? static_cast<char>('a' + row % 26) : static_cast<char>(pick);
            source += byte == '\r' || byte == '\n' || byte == '\0' ? ' ' : byte;
        }
        source += row % 3 == 0 ? "\r\n" : "\n";
    }
    return source;
}

TEST(TableMarkup, CellsMatchTheReferenceOnRaggedRows)
{
    const std::string longText(40, 'L');
    const struct {
        int rows, cols;
        std::string emptyCellText, className;
    } cases[] = {
        {1, 0, "&nbsp;", ""},     {0, 0, "", ""},          {3, 2, "&nbsp;", ""},
        {0, 1, "-", "c"},         {0, 5, longText, ""},    {2, 1, "&nbsp;", longText},
        {0, 1000000, "", ""},     {1000000, 0, "x", "h"},  {-1, -1, longText, longText},
        {0, 0, "1234567", ""},    {0, 0, "123456", ""},    {1, 0, "", "1234567"},
    };
    const std::string source = RandomSource(11);
    for (const auto& c : cases) {
        TConversionSettings settings = StartingSettings();
        settings.TitleRows = c.rows;
        settings.TitleCols = c.cols;
        settings.EmptyCellText = c.emptyCellText;
        settings.RowClass = settings.HeaderClass = settings.CellClass = c.className;
        EXPECT_EQ(Table(source, settings), reference::Table(source, settings))
            << c.rows << " rows, " << c.cols << " columns, empty text " << c.emptyCellText.size()
            << " bytes, class " << c.className.size() << " bytes";
    }
}

// The room asked for a row does not grow with the empty-cell text: only an empty cell takes it.
TEST(TableMarkup, LongEmptyCellTextTakesRoomOnlyWhereWritten)
{
    TConversionSettings settings = StartingSettings();
    settings.EmptyCellText.assign(std::size_t{2} << 20, 'v');
    settings.TitleCols = 1;
    const std::string source = "a\t\t" + std::string(20000, 'x') + "\t\n\t";
    EXPECT_EQ(Table(source, settings), reference::Table(source, settings));
}

// A row far larger than a chunk reaches the sink in pieces, and the pieces make the same text.
TEST(TableMarkup, HugeRowIsHandedOverInPieces)
{
    std::string source;
    while (source.size() < TOutputLines::ChunkSize)
        source += "\xE9t\xE9\t";
    TOutputLines inMemory;
    AddTableLines(source, inMemory, StartingSettings());

    tabulor::testkit::TRecordingSink sink;
    TOutputLines streamed(&sink);
    AddTableLines(source, streamed, StartingSettings());
    streamed.Flush();
    EXPECT_GT(sink.Writes, 2);
    EXPECT_EQ(sink.Bytes, inMemory.Text());
    EXPECT_TRUE(streamed.Text().empty());
}

}  // namespace

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/conversion.h"
#include "line_text.h"

namespace {

using namespace tabulor;
using ::testing::ElementsAre;
using tabulor::testkit::SplitCrLf;

std::vector<std::string> Table(std::string_view source, const TConversionSettings& settings = {})
{
    TOutputLines output;
    AddTableLines(TSourceLines(source), output, settings);
    return SplitCrLf(output.Text());
}

TEST(TableMarkup, FieldRoutinesKeepTheirMeaning)
{
    EXPECT_EQ(CountOccurrences('\t', ""), 0u);
    EXPECT_EQ(CountOccurrences('\t', "a\t\tb\t"), 3u);
    EXPECT_EQ(CountOccurrences(';', "a\t;b"), 1u);

    const struct {
        std::string_view text;
        long long n;
        std::string_view field;
    } cases[] = {
        {"a\tb\tc", 1, "a"},   {"a\tb\tc", 2, "b"},  {"a\tb\tc", 3, "c"},
        {"a\tb\tc", 4, ""},    {"a\tb\tc", 0, "a"},  {"a\tb\tc", -5, "a"},
        {"\tb", 1, ""},        {"a\t", 2, ""},       {"a\t\tc", 2, ""},
        {"", 1, ""},           {"abc", 1, "abc"},    {"abc", 2, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetDelimitedField(c.text, '\t', c.n), c.field) << c.text << " #" << c.n;
}

TEST(TableMarkup, EmptySourceGivesOpeningAndClosingLines)
{
    EXPECT_THAT(Table(""), ElementsAre("<table border=\"1px\">", "</table>"));
    TConversionSettings noBorder;
    noBorder.Border.clear();
    EXPECT_THAT(Table("", noBorder), ElementsAre("<table>", "</table>"));
}

TEST(TableMarkup, FieldsBecomeCellsWithoutPadding)
{
    TConversionSettings settings;
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

TEST(TableMarkup, TitleRowsAndColumnsChooseHeaderCells)
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
        TConversionSettings settings;
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
    TConversionSettings settings;
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

    TConversionSettings unitOnly;
    unitOnly.Border = "px";
    unitOnly.TableClass = "x";
    unitOnly.EmptyCellText.clear();
    EXPECT_THAT(Table("\t ", unitOnly),
                ElementsAre("<table class=\"x\" border=\"px\">", "  <tr><th></th><th> </th></tr>", "</table>"));
}

TEST(TableMarkup, CellTextIsEncoded)
{
    TConversionSettings settings;
    settings.TitleRows = 0;
    EXPECT_THAT(Table("\"a&b\"\t<\xE9t\xE9>\t\x80\n", settings),
                ElementsAre("<table border=\"1px\">",
                            "  <tr><td>\"a&amp;b\"</td><td>&lt;&eacute;t&eacute;&gt;</td><td>&euro;</td></tr>",
                            "</table>"));
}

// The table cuts fields in one pass; each cell must still be what GetDelimitedField gives.
TEST(TableMarkup, CellsMatchTheFieldRoutinesOnRaggedRows)
{
    std::string source;
    unsigned seed = 11;
    for (int row = 0; row < 200; ++row) {
        seed = seed * 1103515245u + 12345u;
        const unsigned length = (seed >> 16) % 60;
        for (unsigned i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            const unsigned pick = (seed >> 16) % 5;
            source += pick < 2 ? '\t' : pick == 2 ? '\xE0' : static_cast<char>('a' + row % 26);
        }
        source += "\r\n";
    }
    TConversionSettings settings;
    settings.TitleRows = 3;
    settings.TitleCols = 2;
    const std::vector<std::string> table = Table(source, settings);

    std::vector<std::string> expected{"<table border=\"1px\">"};
    long long row = 0;
    for (std::string_view line : TSourceLines(source)) {
        std::string text = "  <tr>";
        const auto fields = static_cast<long long>(CountOccurrences('\t', line)) + 1;
        for (long long column = 0; column < fields; ++column) {
            const bool header = row < settings.TitleRows || column < settings.TitleCols;
            text += header ? "<th>" : "<td>";
            text += EncodeCellText(GetDelimitedField(line, '\t', column + 1), settings.EmptyCellText);
            text += header ? "</th>" : "</td>";
        }
        expected.push_back(text + "</tr>");
        ++row;
    }
    expected.push_back("</table>");
    EXPECT_EQ(table, expected);
}

// A row far larger than a chunk reaches the sink in pieces, and the pieces make the same text.
TEST(TableMarkup, HugeRowIsHandedOverInPieces)
{
    std::string source;
    for (int i = 0; i < 300000; ++i)
        source += "\xE9t\xE9\t";
    TOutputLines inMemory;
    AddTableLines(TSourceLines(source), inMemory, {});

    tabulor::testkit::TRecordingSink sink;
    TOutputLines streamed(&sink);
    AddTableLines(TSourceLines(source), streamed, {});
    streamed.Flush();
    EXPECT_GT(sink.Writes, 4);
    EXPECT_EQ(sink.Bytes, inMemory.Text());
    EXPECT_TRUE(streamed.Text().empty());
}

}  // namespace

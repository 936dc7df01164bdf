#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/table_markup.h"
#include "tests/testkit/line_text.h"
#include "tests/testkit/starting_settings.h"

namespace {

using namespace tabulor;
using tabulor::testkit::SplitCrLf;
using tabulor::testkit::StartingSettings;

// The row lines alone, between the table's opening and closing lines.
std::vector<std::string> Rows(std::string_view source, const TCellReading& reading,
                              const TTableSettings& settings = StartingSettings())
{
    TOutputLines output;
    AddTableLines(source, output, settings, reading);
    std::vector<std::string> lines = SplitCrLf(output.Text());
    return {lines.begin() + 1, lines.end() - 1};
}

TTableSettings DataOnly()
{
    TTableSettings settings = StartingSettings();
    settings.TitleRows = 0;
    return settings;
}

TEST(CellReading, CsvFieldsAsASpreadsheetQuotesThem)
{
    const TCellReading semicolon{TFieldSeparator::Semicolon, false, false};
    const struct {
        std::string source;
        TCellReading reading;
        std::vector<std::string> rows;
    } cases[] = {
        {"a;b\tc;", semicolon, {"  <tr><td>a</td><td>b\tc</td><td>&nbsp;</td></tr>"}},
        {"\"a;b\";\"say \"\"hi\"\"\"", semicolon, {"  <tr><td>a;b</td><td>say \"hi\"</td></tr>"}},
        {"\"\";\"\"x;5\" pipe", semicolon, {"  <tr><td>&nbsp;</td><td>x</td><td>5\" pipe</td></tr>"}},
        {"\"a\"b\"c\";d", semicolon, {"  <tr><td>ab\"c\"</td><td>d</td></tr>"}},
        {"\"1\r\n2\r3\n\n4\n\r5\";\"\n\"\r\nz", semicolon,
         {"  <tr><td>1<br>2<br>3<br><br>4<br><br>5</td><td><br></td></tr>", "  <tr><td>z</td></tr>"}},
        {"\"1\r\n2\"", {TFieldSeparator::Semicolon, false, true}, {"  <tr><td>1<br />2</td></tr>"}},
        {"\"<&>\x80\xE9\";a,b", semicolon, {"  <tr><td>&lt;&amp;&gt;&euro;&eacute;</td><td>a,b</td></tr>"}},
        {"a,\"b,c\",d;e", {TFieldSeparator::Comma, false, false}, {"  <tr><td>a</td><td>b,c</td><td>d;e</td></tr>"}},
        {"\"a;b\"\t\"c\"", {TFieldSeparator::Tab, false, false}, {"  <tr><td>\"a;b\"</td><td>\"c\"</td></tr>"}},
        {"\"\xC3\xA9\r\n\xE2\x82\xAC\";\xF0\x9F\x98\x80", {TFieldSeparator::Semicolon, true, false},
         {"  <tr><td>&eacute;<br>&euro;</td><td>&#128512;</td></tr>"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rows(c.source, c.reading, DataOnly()), c.rows) << testing::PrintToString(c.source);
}

// The header columns end at the separators outside quotes, and a long separator text (here a
// long empty-cell text) takes the same path.
TEST(CellReading, HeaderColumnsAndLongSeparatorsSkipQuotedSeparators)
{
    TTableSettings settings = DataOnly();
    settings.TitleCols = 2;
    const TCellReading semicolon{TFieldSeparator::Semicolon, false, false};
    EXPECT_EQ(Rows("\"a;b\";\"c\nd\";e;\"f;g\"", semicolon, settings),
              std::vector<std::string>{"  <tr><th>a;b</th><th>c<br>d</th><td>e</td><td>f;g</td></tr>"});
    EXPECT_EQ(Rows("\"a;b\"", semicolon, settings), std::vector<std::string>{"  <tr><th>a;b</th></tr>"});

    settings.EmptyCellText = "<span class=\"empty\">-</span>";
    EXPECT_EQ(Rows(";\"\";\"x;y\";", semicolon, settings),
              std::vector<std::string>{"  <tr><th><span class=\"empty\">-</span></th><th><span class=\"empty\">-</span>"
                                       "</th><td>x;y</td><td><span class=\"empty\">-</span></td></tr>"});
}

// A Unicode source's character is written as the Windows-1252 byte that holds it would be, any
// other numerically, and what has no place in a document as the replacement character.
TEST(CellReading, UnicodeCharactersAsTheirWindows1252BytesOrNumerically)
{
    const TCellReading utf8{TFieldSeparator::Tab, true, false};
    const struct {
        std::string cell;
        std::string text;
    } cases[] = {
        {"\xC3\xA9t\xC3\xA9", "&eacute;t&eacute;"},
        {"\xC2\xA0\xC3\x97\xC3\xBF", "&nbsp;&times;&yuml;"},
        {"\xE2\x82\xAC \xE2\x80\xB9\xE2\x80\xBA \xC5\x92\xE2\x84\xA2", "&euro; &lt;&gt; &OElig;&trade;"},
        {"\xC5\x81\xCE\xA9\xC4\x8D", "&#321;&#937;&#269;"},
        {"\xF0\x9F\x98\x80\xE4\xB8\xAD", "&#128512;&#20013;"},
        {"\xC2\x80\xC2\x81\xC2\x9F\xEF\xBF\xBE\xEF\xBF\xBF", "&#65533;&#65533;&#65533;&#65533;&#65533;"},
        {"a&<b>\x01\x7F\"", "a&amp;&lt;b&gt;\x01\x7F\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rows(c.cell, utf8, DataOnly()), std::vector<std::string>{"  <tr><td>" + c.text + "</td></tr>"})
            << c.cell;
}

// Bytes go through in blocks: a character cut by a block's end is still one character.
TEST(CellReading, CharactersAcrossTheBlocksOfALongCell)
{
    const TCellReading utf8{TFieldSeparator::Tab, true, false};
    for (const std::string character : {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"}) {
        for (std::size_t before = CellTextBlock - 4; before <= CellTextBlock; ++before) {
            const std::string cell = std::string(before, 'a') + character + "z";
            const std::string once = Rows(character, utf8, DataOnly())[0];
            const std::string text = once.substr(10, once.size() - 20);
            EXPECT_EQ(Rows(cell, utf8, DataOnly())[0], "  <tr><td>" + std::string(before, 'a') + text + "z</td></tr>");
        }
    }
}

}  // namespace

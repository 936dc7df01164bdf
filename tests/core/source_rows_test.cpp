#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/file_errors.h"
#include "core/source_rows.h"

namespace {

using tabulor::TSourceRows;

std::vector<std::string> Rows(std::string_view text, tabulor::TFieldSeparator separator = tabulor::TFieldSeparator::Tab)
{
    std::vector<std::string> rows;
    for (std::string_view row : TSourceRows(text, separator))
        rows.emplace_back(row);
    return rows;
}

TEST(SourceRows, CutsAtEveryKindOfLineEnd)
{
    using namespace std::string_literals;
    const struct {
        std::string text;
        std::vector<std::string> rows;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"\r\n\r\n", {"", ""}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        // A NUL is refused before the text is cut; here it is text.
        {"a\0b\nc"s, {"a\0b"s, "c"}},
        {"\xEF\xBB\xBF" "a\tb", {"\xEF\xBB\xBF" "a\tb"}},
        {"a\tb\x01\x7F\x80\xFF\r\n", {"a\tb\x01\x7F\x80\xFF"}},
    };
    for (const auto& c : cases)
        EXPECT_THAT(Rows(c.text), testing::ElementsAreArray(c.rows)) << testing::PrintToString(c.text);
}

// The splitter remembers where the next CR and LF are; mixing them across long runs checks that a
// stale position is never used and that a row never crosses a line end.
TEST(SourceRows, MixedEndsOverLongTextsMatchAByteByByteReading)
{
    std::string text;
    unsigned seed = 7;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const unsigned pick = (seed >> 16) % 10;
        text += pick == 0 ? '\r' : pick == 1 ? '\n' : static_cast<char>('a' + pick);
    }
    std::vector<std::string> expected;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string::npos)
            end = text.size();
        expected.push_back(text.substr(i, end - i));
        i = end;
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
    }
    EXPECT_EQ(Rows(text), expected);
}

// A quote opens a field only where a field begins; the line ends inside such a field stay in the
// row, and a field still open at the end is a fault on the line where it began.
TEST(SourceRows, CsvRowsSpanTheLineEndsOfQuotedFields)
{
    using tabulor::TFieldSeparator;
    const struct {
        std::string text;
        tabulor::TFieldSeparator separator;
        std::vector<std::string> rows;
    } cases[] = {
        {"a;b\r\nc", TFieldSeparator::Semicolon, {"a;b", "c"}},
        {"\"a\r\nb\";c\r\nd", TFieldSeparator::Semicolon, {"\"a\r\nb\";c", "d"}},
        {"x;\"1\n2\"\n", TFieldSeparator::Semicolon, {"x;\"1\n2\""}},
        {"x;\"say \"\"hi\"\"\r\nthere\"\r\n", TFieldSeparator::Semicolon, {"x;\"say \"\"hi\"\"\r\nthere\""}},
        {"5\" pipe;a\"\nb", TFieldSeparator::Semicolon, {"5\" pipe;a\"", "b"}},
        {"\"a\"b\"\nc", TFieldSeparator::Semicolon, {"\"a\"b\"", "c"}},
        {"a,\"b\nc\"\n\"\"\n", TFieldSeparator::Comma, {"a,\"b\nc\"", "\"\""}},
        {"a;\"b\nc\"\n", TFieldSeparator::Comma, {"a;\"b", "c\""}},
        {"\"a\tb\"\n", TFieldSeparator::Semicolon, {"\"a\tb\""}},
        {"\"a\nb\"\n", tabulor::TFieldSeparator::Tab, {"\"a", "b\""}},
    };
    for (const auto& c : cases)
        EXPECT_THAT(Rows(c.text, c.separator), testing::ElementsAreArray(c.rows)) << testing::PrintToString(c.text);

    const struct {
        std::string text;
        std::size_t line;
    } unclosed[] = {
        {"\"a", 1},
        {"a;b\r\nc;\"d\r\ne\nf", 2},
        {"a\n\r\"b\"\"", 3},
        {"\"x\ny\";\"z\n", 2},
    };
    for (const auto& c : unclosed) {
        try {
            Rows(c.text, TFieldSeparator::Semicolon);
            ADD_FAILURE() << "no fault for " << testing::PrintToString(c.text);
        } catch (const tabulor::ETextFault& fault) {
            EXPECT_EQ(fault.Kind, tabulor::ETextFault::TKind::UnclosedQuote);
            EXPECT_EQ(fault.Line, c.line) << testing::PrintToString(c.text);
        }
    }
}

TEST(SourceRows, IteratesAgainFromTheStart)
{
    const TSourceRows rows("x\ny");
    EXPECT_EQ(std::distance(rows.begin(), rows.end()), 2);
    EXPECT_EQ(*rows.begin(), "x");
    auto it = rows.begin();
    EXPECT_EQ(*it++, "x");
    EXPECT_EQ(*it, "y");
}

}  // namespace

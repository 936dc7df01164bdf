#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/source_lines.h"

namespace {

using tabulor::TSourceLines;

std::vector<std::string> Lines(std::string_view text)
{
    std::vector<std::string> lines;
    for (std::string_view line : TSourceLines(text))
        lines.emplace_back(line);
    return lines;
}

TEST(SourceLines, CutsAtEveryKindOfLineEnd)
{
    using namespace std::string_literals;
    const struct {
        std::string text;
        std::vector<std::string> lines;
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
        {"\0text"s, {}},
        {"a\0b\nc"s, {"a"}},
        {"a\n\0b"s, {"a"}},
        {"a\r\0\nb"s, {"a"}},
        {"\xEF\xBB\xBF" "a\tb", {"\xEF\xBB\xBF" "a\tb"}},
        {"a\tb\x01\x7F\x80\xFF\r\n", {"a\tb\x01\x7F\x80\xFF"}},
    };
    for (const auto& c : cases)
        EXPECT_THAT(Lines(c.text), testing::ElementsAreArray(c.lines)) << testing::PrintToString(c.text);
}

// The splitter remembers where the next CR and LF are; mixing them across long runs checks that a
// stale position is never used and that a line never crosses an end.
TEST(SourceLines, MixedEndsOverLongTextsMatchAByteByByteReading)
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
    EXPECT_EQ(Lines(text), expected);
}

TEST(SourceLines, IteratesAgainFromTheStart)
{
    const TSourceLines lines("x\ny");
    EXPECT_EQ(std::distance(lines.begin(), lines.end()), 2);
    EXPECT_EQ(*lines.begin(), "x");
    auto it = lines.begin();
    EXPECT_EQ(*it++, "x");
    EXPECT_EQ(*it, "y");
}

}  // namespace

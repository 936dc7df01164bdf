#include "shell/text.h"

#include <gtest/gtest.h>

namespace tabulor {
namespace {

TEST(Text, Windows1252)
{
    const struct {
        std::u16string_view Text;
        std::string_view Bytes;
    } cases[] = {
        {u"a&b\"", "a&b\""},
        {u"été ÿ\u00A0", "\xE9t\xE9 \xFF\xA0"},
        {u"€‘’“”", "\x80\x91\x92\x93\x94"},
        {u"ŒœŸ™‹›", "\x8C\x9C\x9F\x99\x8B\x9B"},
        // The unassigned bytes stand for their control characters; other C1 controls do not fit.
        {u"\u0081\u008D\u009D", "\x81\x8D\x9D"},
        {u"\u0080", "?"},
        {u"Ωa中ā", "?a??"},
        {u"x😀y", "x?y"},
        {std::u16string_view(u"x\xD800y\xDC00", 4), "x?y?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToWindows1252(c.Text), c.Bytes);
}

TEST(Text, FromUtf8)
{
    const struct {
        std::string_view Utf8;
        std::u16string_view Text;
    } cases[] = {
        {"Impossible de créer « x »", u"Impossible de créer « x »"},
        {"€😀", u"€😀"},
        // Malformed: a stray continuation byte, a cut sequence, an overlong form, a surrogate,
        // a value beyond U+10FFFF, a Windows-1252 byte.
        {"a\x80z", u"a\uFFFDz"},
        {"a\xE2\x82", u"a\uFFFD\uFFFD"},
        {"\xC0\xAF", u"\uFFFD\uFFFD"},
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"caf\xE9", u"caf\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FromUtf8(c.Utf8), c.Text) << c.Utf8;
}

TEST(Text, ToUtf8)
{
    const struct {
        std::u16string_view Text;
        std::string_view Utf8;
    } cases[] = {
        {u"Feuil1", "Feuil1"},
        {u"é€", "\xC3\xA9\xE2\x82\xAC"},
        {u"😀", "\xF0\x9F\x98\x80"},
        // Unpaired surrogates: a high one at the end or before another character, a low one alone.
        {std::u16string_view(u"a\xD83D", 2), "a\xEF\xBF\xBD"},
        {std::u16string_view(u"\xD83Dz\xDE00", 3), "\xEF\xBF\xBDz\xEF\xBF\xBD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToUtf8(c.Text), c.Utf8);
}

}  // namespace
}  // namespace tabulor

#include "shell/spin_field.h"

#include <gtest/gtest.h>

#include <climits>

namespace tabulor {
namespace {

TEST(SpinField, ValueOfText)
{
    const struct {
        std::u16string_view Text;
        int Value;
    } cases[] = {
        {u"42", 42}, {u"   7", 7}, {u"+5", 5}, {u"-3", -3}, {u"$1F", 31}, {u"0xff", 255},
        {u"-$10", -16}, {u"2147483647", INT_MAX}, {u"-2147483648", INT_MIN},
        // Anything else counts as the minimum, 0 here.
        {u"2147483648", 0}, {u"$80000000", 0}, {u"", 0}, {u"-", 0}, {u"$", 0}, {u"0x", 0},
        {u"1,5", 0}, {u"1.5", 0}, {u"3 ", 0}, {u"- 3", 0}, {u"a", 0}, {u"1f", 0},
        {u"\u0663", 0}, {u"\t1", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpinFieldValue(c.Text, 0), c.Value) << std::string(c.Text.begin(), c.Text.end());
    EXPECT_EQ(SpinFieldValue(u"x", 5), 5);
}

TEST(SpinField, Stepping)
{
    const struct {
        std::u16string_view Text;
        int Increment, MinValue, MaxValue;
        std::u16string_view Stepped;
    } cases[] = {
        {u"1", 1, 0, 0, u"2"},
        {u"0", -1, 0, 0, u"-1"},
        {u"abc", 1, 0, 0, u"1"},
        {u"abc", -1, 0, 0, u"-1"},
        {u"+007", 1, 0, 0, u"8"},
        {u"$10", 1, 0, 0, u"17"},
        {u"2147483647", 1, 0, 0, u"-2147483648"},
        {u"-2147483648", -1, 0, 0, u"2147483647"},
        {u"10", 1, 0, 10, u"10"},
        {u"0", -1, 0, 10, u"0"},
        {u"x", 2, 5, 10, u"7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SteppedSpinFieldText(c.Text, c.Increment, c.MinValue, c.MaxValue), c.Stepped);
}

TEST(SpinField, TypedCharacters)
{
    for (const char32_t c : std::u32string_view(U"0123456789+-,\b\x03\x16\x18\x1A"))
        EXPECT_TRUE(IsSpinFieldChar(c, u',')) << static_cast<int>(c);
    for (const char32_t c : std::u32string_view(U"\r .aZ$x\x7F\u00A0\u0663\U0001F600"))
        EXPECT_FALSE(IsSpinFieldChar(c, u',')) << static_cast<int>(c);
    EXPECT_TRUE(IsSpinFieldChar(U'.', u'.'));
    EXPECT_FALSE(IsSpinFieldChar(U',', u'.'));
    EXPECT_EQ(DecimalSeparatorFrom(u""), u'.');
    EXPECT_EQ(DecimalSeparatorFrom(u",x"), u',');
}

}  // namespace
}  // namespace tabulor

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "core/utf8.h"

namespace {

using tabulor::DecodeUtf8;
using tabulor::FirstMalformedUtf8;
using tabulor::MalformedCharacter;

// The first fault as one character after another finds it.
std::size_t FirstFaultByCharacters(std::string_view text)
{
    for (std::size_t position = 0; position < text.size();) {
        const std::size_t start = position;
        if (text[position] == '\0' || DecodeUtf8(text, position) == MalformedCharacter)
            return start;
    }
    return std::string_view::npos;
}

// Long runs of well-formed characters of every length, the first bytes that need their second
// looked at (E0, ED, F0, F4), with now and then a byte that breaks them, so that faults and
// characters fall at every place of the check's sixteen-byte windows.
TEST(Utf8, CheckFindsTheFaultThatCharactersFind)
{
    static const std::string_view pieces[] = {
        "a", "Zq 7", "\xC3\xA9", "\xC2\xA0", "\xE2\x82\xAC", "\xE0\xA4\x85", "\xED\x9F\xBF", "\xEF\xBF\xBD",
        "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF", "\xDF\xBF", "\xC2\x80", "0123456789abcdef"};
    static const std::string_view faults[] = {
        "\x80", "\xC3", "\xE2\x82", "\xC0\xAF", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
        "\xF5\x80\x80\x80", "\xFF", std::string_view("\0", 1), "\xC3\xC3"};
    std::mt19937 random(20);
    for (int sample = 0; sample < 3000; ++sample) {
        std::string text;
        const std::size_t length = random() % 200;
        while (text.size() < length)
            text += pieces[random() % std::size(pieces)];
        if (random() % 4 != 0)
            text.insert(random() % (text.size() + 1), faults[random() % std::size(faults)]);
        const unsigned parts = 1 + random() % 7;
        ASSERT_EQ(FirstMalformedUtf8(text, parts), FirstFaultByCharacters(text)) << text << " in " << parts;
    }
}

}  // namespace

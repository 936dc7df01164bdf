#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/file_errors.h"
#include "core/source_text.h"

namespace {

using namespace tabulor;
using namespace std::string_literals;

TFileContents Contents(const std::string& bytes)
{
    TFileContents contents{std::make_unique<char[]>(bytes.size() + 1), bytes.size()};
    std::memcpy(contents.Data.get(), bytes.data(), bytes.size());
    return contents;
}

// The bytes of UTF-16 units, little-endian or big-endian.
std::string Utf16(std::u16string_view units, bool bigEndian = false)
{
    std::string bytes;
    for (const char16_t unit : units) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

struct TDecoded {
    std::string Text;
    bool Utf8;
};

struct TCase {
    const char* What;
    std::string Bytes;
    TSourceEncoding Encoding;
    // Either the text as the table reads it, or the line and encoding of the fault.
    std::optional<TDecoded> Decoded;
    std::size_t FaultLine = 0;
    TSourceEncoding FaultEncoding = TSourceEncoding::Automatic;
};

TEST(SourceText, DecodesEachEncodingAndFindsTheFirstFaultsLine)
{
    const std::string euroLe = Utf16(u"\u20AC");
    const TCase cases[] = {
        {"Windows-1252 keeps a mark as text", "\xEF\xBB\xBF" "a\x80", TSourceEncoding::Windows1252, TDecoded{"\xEF\xBB\xBF" "a\x80", false}},
        {"NULs at the end pad", "a\tb\r\n\0\0"s, TSourceEncoding::Windows1252, TDecoded{"a\tb\r\n", false}},
        {"only NULs", "\0\0\0"s, TSourceEncoding::Windows1252, TDecoded{"", false}},
        {"a NUL before text", "a\r\nb\n\0c"s, TSourceEncoding::Windows1252, {}, 3, TSourceEncoding::Windows1252},
        {"UTF-8 skips its mark", "\xEF\xBB\xBF" "\xC3\xA9t\xC3\xA9", TSourceEncoding::Utf8, TDecoded{"\xC3\xA9t\xC3\xA9", true}},
        {"UTF-8 four bytes", "\xF0\x9F\x98\x80", TSourceEncoding::Utf8, TDecoded{"\xF0\x9F\x98\x80", true}},
        {"UTF-8 overlong", "a\n\xC0\xAF", TSourceEncoding::Utf8, {}, 2, TSourceEncoding::Utf8},
        {"UTF-8 surrogate", "a\r\n\r\n\xED\xA0\x80", TSourceEncoding::Utf8, {}, 3, TSourceEncoding::Utf8},
        {"UTF-8 beyond U+10FFFF", "\xF4\x90\x80\x80", TSourceEncoding::Utf8, {}, 1, TSourceEncoding::Utf8},
        {"UTF-8 cut short", "a\n\rb\xE2\x82", TSourceEncoding::Utf8, {}, 3, TSourceEncoding::Utf8},
        {"UTF-8 Windows-1252 bytes", "caf\xE9\n", TSourceEncoding::Utf8, {}, 1, TSourceEncoding::Utf8},
        {"UTF-8 inner NUL", "a\0b"s, TSourceEncoding::Utf8, {}, 1, TSourceEncoding::Utf8},
        {"UTF-16 little-endian mark", "\xFF\xFE" + Utf16(u"\u00E9\t\u0141\r\n"), TSourceEncoding::Utf16, TDecoded{"\xC3\xA9\t\xC5\x81\r\n", true}},
        {"UTF-16 big-endian mark", "\xFE\xFF" + Utf16(u"a\U0001F600", true), TSourceEncoding::Utf16, TDecoded{"a\xF0\x9F\x98\x80", true}},
        {"UTF-16 without a mark is little-endian", Utf16(u"ab"), TSourceEncoding::Utf16, TDecoded{"ab", true}},
        {"UTF-16 NUL units pad the end", "\xFF\xFE" + Utf16(u"a\u0100") + "\0\0\0"s, TSourceEncoding::Utf16, TDecoded{"a\xC4\x80", true}},
        {"UTF-16 unpaired high surrogate", "\xFF\xFE" + Utf16(u"a\nb\n\xD800z"), TSourceEncoding::Utf16, {}, 3, TSourceEncoding::Utf16},
        {"UTF-16 lone low surrogate", Utf16(u"\xDC00"), TSourceEncoding::Utf16, {}, 1, TSourceEncoding::Utf16},
        {"UTF-16 inner NUL", Utf16(u"a\r\n") + "\0\0"s + Utf16(u"b"), TSourceEncoding::Utf16, {}, 2, TSourceEncoding::Utf16},
        {"UTF-16 odd final byte", "\xFF\xFE" + Utf16(u"a\r\nb\r\n") + "x", TSourceEncoding::Utf16, {}, 3, TSourceEncoding::Utf16},
        // Wider than the UTF-16 it came from: the text leaves the file's buffer.
        {"UTF-16 grows past itself", Utf16(u"\u20AC\u20AC\u20AC"), TSourceEncoding::Utf16, TDecoded{"\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", true}},
        {"UTF-16 grows after a fault-free start", euroLe + euroLe + Utf16(u"\xD801"), TSourceEncoding::Utf16, {}, 1, TSourceEncoding::Utf16},
        {"automatic: UTF-8 mark", "\xEF\xBB\xBF" "a", TSourceEncoding::Automatic, TDecoded{"a", true}},
        {"automatic: UTF-16 marks", "\xFE\xFF" + Utf16(u"\u00E9", true), TSourceEncoding::Automatic, TDecoded{"\xC3\xA9", true}},
        {"automatic: zero second byte", Utf16(u"ab"), TSourceEncoding::Automatic, TDecoded{"ab", true}},
        {"automatic: zero first byte", Utf16(u"ab", true), TSourceEncoding::Automatic, TDecoded{"ab", true}},
        {"automatic: UTF-8 text", "\xC3\xA9t\xC3\xA9\0"s, TSourceEncoding::Automatic, TDecoded{"\xC3\xA9t\xC3\xA9", true}},
        {"automatic: not UTF-8", "\xE9t\xE9", TSourceEncoding::Automatic, TDecoded{"\xE9t\xE9", false}},
        {"automatic: a NUL inside", "ab\n\xC3\xA9\0x"s, TSourceEncoding::Automatic, {}, 2, TSourceEncoding::Windows1252},
        {"automatic: a mark holds to its encoding", "\xEF\xBB\xBF" "\xE9", TSourceEncoding::Automatic, {}, 1, TSourceEncoding::Utf8},
        {"automatic: empty", "", TSourceEncoding::Automatic, TDecoded{"", true}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TFileContents contents = Contents(c.Bytes);
        try {
            const TSourceText text = DecodeSource(contents, c.Encoding);
            ASSERT_TRUE(c.Decoded.has_value()) << "no fault";
            EXPECT_EQ(text.Text, c.Decoded->Text);
            EXPECT_EQ(text.Utf8, c.Decoded->Utf8);
        } catch (const ETextFault& fault) {
            ASSERT_FALSE(c.Decoded.has_value()) << "a fault on line " << fault.Line;
            EXPECT_EQ(fault.Kind, ETextFault::TKind::Malformed);
            EXPECT_EQ(fault.Line, c.FaultLine);
            EXPECT_EQ(fault.Encoding, c.FaultEncoding);
        }
    }
}

}  // namespace

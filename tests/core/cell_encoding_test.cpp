#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tests/testkit/cell_text.h"
#include "core/cell_encoding.h"
#include "tests/testkit/reference_table.h"

#ifndef TABULOR_W3C_DTD_DIR
#define TABULOR_W3C_DTD_DIR "/usr/share/xml/w3c-sgml-lib/schema/dtd"
#endif

namespace {

using tabulor::CharEntities;
using tabulor::reference::EncodeField;
using tabulor::testkit::CellText;
using tabulor::testkit::TCellWriter;

// The entity sets as the W3C published them; our table must agree with them, not with itself.
const std::filesystem::path Html401Dir = std::filesystem::path(TABULOR_W3C_DTD_DIR) / "REC-html401-19991224";

// Maps each code point of an HTML 4 entity set to the entity's name, from its
// <!ENTITY name CDATA "&#NNN;" ...> declarations.
std::map<char32_t, std::string> ReadEntityNames(const std::string& fileName)
{
    const std::filesystem::path path = Html401Dir / fileName;
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("cannot read " + path.string() + " (Debian package w3c-sgml-lib)");
    std::stringstream text;
    text << file.rdbuf();
    const std::string content = text.str();

    static const std::regex declaration(R"(<!ENTITY\s+([A-Za-z][A-Za-z0-9]*)\s+CDATA\s+"&#([0-9]+);")");
    std::map<char32_t, std::string> names;
    for (auto it = std::sregex_iterator(content.begin(), content.end(), declaration);
         it != std::sregex_iterator(); ++it)
        names[static_cast<char32_t>(std::stoul((*it)[2]))] = (*it)[1];
    return names;
}

// The Windows-1252 code page for 0x80 to 0x9F, where it departs from ISO 8859-1; nullopt for the
// bytes it leaves unassigned.
std::optional<char32_t> Windows1252CodePoint(unsigned char byte)
{
    static constexpr char32_t High[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
    };
    const char32_t cp = High[byte - 0x80];
    return cp ? std::optional<char32_t>(cp) : std::nullopt;
}

std::string Byte(unsigned char b) { return std::string(1, static_cast<char>(b)); }

std::string Hex(unsigned char b)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    return std::string("0x") + Digits[b >> 4] + Digits[b & 15];
}

// Empty when the text is clean: no byte from 0x80 up, and every '&' opening a reference the
// encoder is allowed to write.
std::string FindEncodingViolation(std::string_view encoded)
{
    std::vector<std::string_view> allowed(CharEntities.begin(), CharEntities.end());
    allowed.insert(allowed.end(), {"&amp;", "&lt;", "&gt;", "&euro;"});
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (static_cast<unsigned char>(encoded[i]) >= 0x80)
            return "byte " + Hex(static_cast<unsigned char>(encoded[i])) + " at " + std::to_string(i);
        if (encoded[i] != '&')
            continue;
        bool known = false;
        for (const std::string_view ref : allowed)
            known = known || encoded.substr(i).starts_with(ref);
        if (!known)
            return "unknown reference at " + std::to_string(i) + ": " + std::string(encoded.substr(i, 12));
    }
    return {};
}

TEST(CharEntitiesTable, Latin1RowsMatchHtml4Latin1EntitySet)
{
    const auto latin1 = ReadEntityNames("HTMLlat1.ent");
    ASSERT_EQ(latin1.size(), 96u) << "unexpected content in HTMLlat1.ent";
    for (unsigned b = 0xA0; b <= 0xFF; ++b) {
        const auto name = latin1.find(b);
        ASSERT_NE(name, latin1.end()) << "HTMLlat1.ent names no entity for " << Hex(b);
        const std::string expected = "&" + name->second + ";";
        EXPECT_EQ(CharEntities[b - 0x81], expected) << Hex(b);
        EXPECT_EQ(CellText(Byte(b), ""), expected) << Hex(b);
    }
}

TEST(CharEntitiesTable, Windows1252RowsUseHtml4NamesWherePossible)
{
    auto names = ReadEntityNames("HTMLspecial.ent");
    names.merge(ReadEntityNames("HTMLsymbol.ent"));
    ASSERT_TRUE(names.contains(0x20AC) && names.contains(0x2039)) << "unexpected entity files";

    for (unsigned b = 0x80; b <= 0x9F; ++b) {
        std::string expected;
        const auto cp = Windows1252CodePoint(b);
        if (b == 0x8B)
            expected = "&lt;";  // the single angle quotes deliberately read as the markup characters
        else if (b == 0x9B)
            expected = "&gt;";
        else if (!cp)
            expected = "&#65533;";
        else if (names.contains(*cp))
            expected = "&" + names[*cp] + ";";
        else
            expected = "&#" + std::to_string(*cp) + ";";

        EXPECT_EQ(CellText(Byte(b), ""), expected) << Hex(b);
        if (b >= 0x81) {
            EXPECT_EQ(CharEntities[b - 0x81], expected) << Hex(b);
        }
    }
    EXPECT_EQ(CellText("\x80", ""), "&euro;");
    EXPECT_EQ(CellText("\x8E\x9E", ""), "&#381;&#382;");
}

struct EncodeCase {
    const char* what;
    std::string field;
    std::string emptyCellText;
    std::string expected;
};

TEST(CellEncoding, FixedCases)
{
    const std::string controls = [] {
        std::string s;
        for (int b = 0x01; b <= 0x1F; ++b)
            if (b != '\t')  // the tab ends the cell
                s += static_cast<char>(b);
        return s + "\x7F";
    }();
    const std::vector<EncodeCase> cases = {
        {"empty field takes the empty-cell text", "", "&nbsp;", "&nbsp;"},
        {"empty-cell text is not encoded", "", "<b>&\xE9", "<b>&\xE9"},
        {"empty empty-cell text gives nothing", "", "", ""},
        {"a non-empty field ignores the empty-cell text", "x", "VIDE", "x"},
        {"one space is not empty", " ", "&nbsp;", " "},
        {"spaces only", "   ", "&nbsp;", "   "},
        {"ampersand", "a&b", "", "a&amp;b"},
        {"angle brackets", "<b>", "", "&lt;b&gt;"},
        {"an entity in the source is text", "&eacute;", "", "&amp;eacute;"},
        {"accented Windows-1252", "\xE9t\xE9", "", "&eacute;t&eacute;"},
        {"no-break space", "\xA0", "", "&nbsp;"},
        {"multiplication sign", "\xD7", "", "&times;"},
        {"division sign", "\xF7", "", "&divide;"},
        {"euro sign", "12,50 \x80", "", "12,50 &euro;"},
        {"single angle quotes", "\x8B" "a" "\x9B", "", "&lt;a&gt;"},
        {"quotes stay bare", "l'\"offre\"", "", "l'\"offre\""},
        {"control bytes pass", controls, "", controls},
        {"NUL inside a field passes", std::string("a\0b", 3), "", std::string("a\0b", 3)},
        {"markup across a word boundary", "abcdefg&hijklmn<", "", "abcdefg&amp;hijklmn&lt;"},
    };
    for (const EncodeCase& c : cases)
        EXPECT_EQ(CellText(c.field, c.emptyCellText), c.expected) << c.what;
}

TEST(CellEncoding, SpecialByteAtEveryPositionOfFieldsUpTo40Bytes)
{
    const std::string specials = "&<>\x80\x81\x8B\x9B\xA0\xE9\xFF";
    const TCellWriter cells("&nbsp;");
    for (const char special : specials)
        for (std::size_t length = 1; length <= 40; ++length)
            for (std::size_t pos = 0; pos < length; ++pos) {
                std::string field(length, 'x');
                field[pos] = special;
                ASSERT_EQ(cells.Text(field), EncodeField(field, "&nbsp;"))
                    << Hex(static_cast<unsigned char>(special)) << " at " << pos << " of " << length;
            }
}

TEST(CellEncoding, RandomFieldsMatchReferenceAndAreClean)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> length(1, 64);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> plain(0x20, 0x7E);
    const TCellWriter cells("");
    for (int i = 0; i < 5000; ++i) {
        std::string field(length(random), '\0');
        // Half of them mostly plain text, as in real sheets.
        const bool mostlyPlain = i % 2 == 0;
        for (char& c : field)
            c = static_cast<char>(mostlyPlain && byte(random) < 240 ? plain(random) : byte(random));
        std::replace(field.begin(), field.end(), '\t', ' ');  // a tab would end the cell
        const std::string encoded = cells.Text(field);
        ASSERT_EQ(encoded, EncodeField(field, "")) << "field #" << i;
        ASSERT_EQ(FindEncodingViolation(encoded), "") << "field #" << i;
    }
}

TEST(CellEncoding, EveryByteValueEncodesClean)
{
    std::string all;
    for (int b = 1; b <= 0xFF; ++b) {
        if (b == '\t')  // the tab ends the cell
            continue;
        all += static_cast<char>(b);
        EXPECT_EQ(FindEncodingViolation(CellText(Byte(b), "")), "") << Hex(b);
    }
    EXPECT_EQ(FindEncodingViolation(CellText(all, "")), "");
}

}  // namespace

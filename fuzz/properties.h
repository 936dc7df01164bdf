// What every fuzzer checks of the core's output. The checks read the output back (line ends,
// tags, entity references) and relate it to the input; none of them builds the output again.
//
// A failed check prints what failed and where, then aborts, so that libFuzzer keeps the input.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/cell_encoding.h"
#include "core/table_settings.h"
#include "tests/testkit/reference_table.h"

namespace tabulor::fuzz {

[[noreturn]] inline void Fail(std::string_view property, std::string_view where)
{
    std::fprintf(stderr, "\nProperty failed: %.*s\nAt: \"", static_cast<int>(property.size()),
                 property.data());
    constexpr std::size_t ShownBytes = 300;
    for (const unsigned char byte : where.substr(0, ShownBytes)) {
        if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\')
            std::fputc(byte, stderr);
        else
            std::fprintf(stderr, "\\x%02X", byte);
    }
    std::fprintf(stderr, "\"%s\n", where.size() > ShownBytes ? "..." : "");
    std::abort();
}

inline void Require(bool holds, std::string_view property, std::string_view where = {})
{
    if (!holds)
        Fail(property, where);
}

// A copy in a heap block of exactly its size: AddressSanitizer then reports any read past the end,
// which a view into a larger buffer would hide.
class TExactCopy {
public:
    explicit TExactCopy(std::string_view text)
        : Bytes(std::make_unique<char[]>(text.size())), Size(text.size())
    {
        if (Size != 0)
            std::memcpy(Bytes.get(), text.data(), Size);
    }
    std::string_view View() const { return {Bytes.get(), Size}; }

private:
    std::unique_ptr<char[]> Bytes;
    std::size_t Size;
};

inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The length of the character entity reference ("&name;" or "&#digits;" naming a character)
// that starts at text[at]; 0 when none starts there.
inline std::size_t ReferenceLength(std::string_view text, std::size_t at)
{
    if (at >= text.size() || text[at] != '&')
        return 0;
    std::size_t i = at + 1;
    if (i < text.size() && text[i] == '#') {
        const std::size_t digits = ++i;
        long code = 0;
        while (i < text.size() && IsAsciiDigit(text[i]) && i - digits < 7)
            code = code * 10 + (text[i++] - '0');
        if (i == digits || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return 0;
    } else {
        if (i >= text.size() || !IsAsciiLetter(text[i]))
            return 0;
        while (i < text.size() && (IsAsciiLetter(text[i]) || IsAsciiDigit(text[i])))
            ++i;
    }
    if (i >= text.size() || text[i] != ';')
        return 0;
    return i + 1 - at;
}

// Text that is safe as element content in a page of any 8-bit character set: no byte from 0x80
// up, no raw "<" or ">", and every "&" the start of an entity reference.
inline void CheckHtmlText(std::string_view text)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x80)
            Fail("the text holds no byte from 0x80 up", text.substr(at));
        if (byte == '<' || byte == '>')
            Fail("the text holds no raw \"<\" or \">\"", text.substr(at));
        if (byte == '&' && ReferenceLength(text, at) == 0)
            Fail("every \"&\" of the text starts an entity reference", text.substr(at));
    }
}

inline bool NeedsReference(unsigned char byte)
{
    return byte == '&' || byte == '<' || byte == '>' || byte >= 0x80;
}

// The encoding of a non-empty field: one piece per byte of the field, in order, each either the
// byte itself or, for the markup characters and the bytes from 0x80 up, an entity reference.
inline void CheckEncodedField(std::string_view field, std::string_view encoded)
{
    CheckHtmlText(encoded);
    std::size_t at = 0;
    for (const unsigned char byte : field) {
        const std::string_view rest = encoded.substr(std::min(at, encoded.size()));
        if (!NeedsReference(byte)) {
            Require(!rest.empty() && static_cast<unsigned char>(rest.front()) == byte,
                    "a byte other than a markup character and below 0x80 is copied as it is", rest);
            ++at;
            continue;
        }
        const std::size_t length = ReferenceLength(rest, 0);
        Require(length > 0, "a markup character or a byte from 0x80 up becomes one entity reference",
                rest);
        const std::string_view reference = rest.substr(0, length);
        if (byte >= 0x81)
            Require(reference == CharEntities[byte - 0x81],
                    "a byte from 0x81 up becomes its reference of CharEntities", reference);
        else if (byte == '&')
            Require(reference == "&amp;", "\"&\" becomes \"&amp;\"", reference);
        else if (byte == '<')
            Require(reference == "&lt;", "\"<\" becomes \"&lt;\"", reference);
        else if (byte == '>')
            Require(reference == "&gt;", "\">\" becomes \"&gt;\"", reference);
        at += length;
    }
    Require(at == encoded.size(), "the encoded text holds nothing but the pieces of the field's bytes",
            encoded.substr(std::min(at, encoded.size())));
}

// The output cut into its lines, checking that every line ends with CR LF and holds no CR, LF or
// NUL of its own.
inline std::vector<std::string_view> OutputLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(std::string_view("\r\n\0", 3));
        Require(end != std::string_view::npos, "every output line ends with CR LF", text);
        Require(text.substr(end, 2) == "\r\n",
                "an output line holds no CR, LF or NUL before its CR LF", text.substr(0, end + 2));
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 2);
    }
    return lines;
}

// Reads one output line from the front, piece by piece, failing at the first piece that differs.
class TLineReader {
public:
    explicit TLineReader(std::string_view line) : Line(line), Rest(line) {}

    void Expect(std::string_view piece, std::string_view property)
    {
        Require(Rest.starts_with(piece), property, Line);
        Rest.remove_prefix(piece.size());
    }

    // ` name="value"`, present exactly when the value is not empty.
    void ExpectAttribute(std::string_view name, std::string_view value, std::string_view property)
    {
        if (value.empty())
            return;
        Expect(" ", property);
        Expect(name, property);
        Expect("=\"", property);
        Expect(value, property);
        Expect("\"", property);
    }

    void ExpectStartTag(std::string_view element, std::string_view className, std::string_view property)
    {
        Expect("<", property);
        Expect(element, property);
        ExpectAttribute("class", className, property);
        Expect(">", property);
    }

    // Everything up to the next "<", which encoded cell text never holds.
    std::string_view TakeText()
    {
        const std::string_view text = Rest.substr(0, Rest.find('<'));
        Rest.remove_prefix(text.size());
        return text;
    }

    void ExpectEnd(std::string_view property) const { Require(Rest.empty(), property, Line); }

private:
    std::string_view Line;
    std::string_view Rest;
};

inline void CheckRow(std::string_view row, std::string_view source, std::int64_t rowIndex,
                     const TTableSettings& settings)
{
    TLineReader reader(row);
    reader.Expect("  ", "a row line is indented by two spaces");
    reader.ExpectStartTag("tr", settings.RowClass, "a row starts with its tr tag, with the row class");
    std::int64_t column = 0;
    for (const std::string_view field : reference::Fields(source)) {
        const bool header = rowIndex < settings.TitleRows || column < settings.TitleCols;
        if (header)
            reader.ExpectStartTag("th", settings.HeaderClass,
                                  "a row has tabs + 1 cells; those of the header rows and columns "
                                  "are th cells with the header class");
        else
            reader.ExpectStartTag("td", settings.CellClass,
                                  "a row has tabs + 1 cells; those outside the header rows and "
                                  "columns are td cells with the data class");
        if (field.empty())
            reader.Expect(settings.EmptyCellText, "an empty field gives the empty-cell text as it is");
        else
            CheckEncodedField(field, reader.TakeText());
        reader.Expect(header ? "</th>" : "</td>", "every cell is closed by the end tag of its kind");
        ++column;
    }
    reader.Expect("</tr>", "a row has no more cells than its line has tabs + 1");
    reader.ExpectEnd("nothing follows a row's </tr>");
}

// The lines of one table made from the source rows.
inline void CheckTable(std::span<const std::string_view> table,
                       std::span<const std::string_view> source, const TTableSettings& settings)
{
    Require(table.size() == source.size() + 2,
            "a table is its opening line, one row line per source row and its closing line");
    TLineReader opening(table.front());
    opening.Expect("<table", "the table's opening line starts with <table");
    opening.ExpectAttribute("class", settings.TableClass, "the table class comes first");
    opening.ExpectAttribute("border", settings.Border, "the border comes after the class");
    opening.Expect(">", "the table's start tag has no other attribute");
    opening.ExpectEnd("the table's opening line holds its start tag alone");
    for (std::size_t row = 0; row < source.size(); ++row)
        CheckRow(table[row + 1], source[row], static_cast<std::int64_t>(row), settings);
    Require(table.back() == "</table>", "the table's closing line is </table>", table.back());
}

}  // namespace tabulor::fuzz

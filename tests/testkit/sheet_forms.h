// Helpers of the tests, the fuzzers and the benchmarks: one sheet written in each form that
// spreadsheets save text in, and a conversion in memory of a source's bytes. Each form must give
// the same table.
#pragma once

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/conversion.h"
#include "core/source_rows.h"
#include "core/utf8.h"
#include "core/windows1252.h"

namespace tabulor::testkit {

// Cells as Windows-1252 bytes, none of them a tab, a CR, an LF or a NUL: what every form holds.
using TSheet = std::vector<std::vector<std::string>>;

struct TSheetForm {
    const char* Name;
    const char* Key;  // as the benchmarks name it
    TSourceEncoding Encoding;
    TFieldSeparator Separator;
    // As the encoding is told: named, or found by the automatic reading.
    TSourceEncoding ReadAs;
};

inline constexpr std::array<TSheetForm, 6> SheetForms = {{
    {"Windows-1252 tab text", "windows-1252-tab", TSourceEncoding::Windows1252, TFieldSeparator::Tab, TSourceEncoding::Windows1252},
    {"UTF-8 tab text", "utf-8-tab", TSourceEncoding::Utf8, TFieldSeparator::Tab, TSourceEncoding::Utf8},
    {"UTF-16 Unicode text", "utf-16-tab", TSourceEncoding::Utf16, TFieldSeparator::Tab, TSourceEncoding::Automatic},
    {"UTF-16 big-endian tab text", "utf-16be-tab", TSourceEncoding::Utf16, TFieldSeparator::Tab, TSourceEncoding::Utf16},
    {"UTF-8 CSV with commas", "utf-8-comma", TSourceEncoding::Utf8, TFieldSeparator::Comma, TSourceEncoding::Automatic},
    {"Windows-1252 CSV with semicolons", "windows-1252-semicolon", TSourceEncoding::Windows1252, TFieldSeparator::Semicolon, TSourceEncoding::Windows1252},
}};

inline char32_t Windows1252Character(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? Windows1252HighControls[byte - 0x80] : byte;
}

// A field as a spreadsheet's CSV export writes it: in quotes, with its quotes doubled, when it
// holds the separator or a quote.
inline std::string CsvField(const std::string& cell, char separator)
{
    if (cell.find_first_of(std::string{separator, '"'}) == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (const char c : cell)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

// The text of the rows as Windows-1252 bytes, tabs between cells and each row ended by CR LF.
inline std::string SheetText(const TSheet& sheet)
{
    std::string text;
    for (const auto& row : sheet) {
        for (std::size_t i = 0; i < row.size(); ++i)
            text += (i > 0 ? "\t" : "") + row[i];
        text += "\r\n";
    }
    return text;
}

// Tab text with the separator in the tabs' place, its fields quoted where they must be.
inline std::string CsvText(std::string_view tabText, char separator)
{
    std::string text;
    std::string field;
    for (const char byte : tabText) {
        if (byte == '\t' || byte == '\r' || byte == '\n') {
            text += CsvField(field, separator);
            text += byte == '\t' ? separator : byte;
            field.clear();
        } else {
            field += byte;
        }
    }
    return text + CsvField(field, separator);
}

inline std::string EncodeText(std::string_view windows1252, const TSheetForm& form)
{
    if (form.Encoding == TSourceEncoding::Windows1252)
        return std::string(windows1252);
    const bool bigEndian = std::string_view(form.Name).find("big-endian") != std::string_view::npos;
    std::string bytes = form.Encoding == TSourceEncoding::Utf8 ? "\xEF\xBB\xBF" : bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char byte : windows1252) {
        const char32_t character = Windows1252Character(static_cast<unsigned char>(byte));
        if (form.Encoding == TSourceEncoding::Utf8) {
            char utf8[4];
            bytes.append(utf8, EncodeUtf8(character, utf8));
        } else {
            const char low = static_cast<char>(character & 0xFF);
            const char high = static_cast<char>(character >> 8);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
    }
    return bytes;
}

// Windows-1252 tab text, with no tab, line end or NUL in a cell, as the form holds it.
inline std::string InForm(std::string_view tabText, const TSheetForm& form)
{
    if (form.Separator == TFieldSeparator::Tab)
        return EncodeText(tabText, form);
    return EncodeText(CsvText(tabText, SeparatorByte(form.Separator)), form);
}

inline std::string WriteSheet(const TSheet& sheet, const TSheetForm& form)
{
    return InForm(SheetText(sheet), form);
}

// The sheet of any bytes read as tab text: a tab ends a cell, a line end a row; NULs are dropped.
inline TSheet SheetOfText(std::string_view text)
{
    TSheet sheet;
    for (const std::string_view line : TSourceRows(text)) {
        auto& row = sheet.emplace_back(1);
        for (const char byte : line) {
            if (byte == '\t')
                row.emplace_back();
            else if (byte != '\0')
                row.back() += byte;
        }
    }
    return sheet;
}

// The destination's bytes for the source's, without a file: throws ETextFault as a run would.
inline std::string ConvertInMemory(std::string_view bytes, const TConversionSettings& settings,
                                   std::size_t blockSize = TableBlockSize)
{
    TFileContents contents{std::make_unique<char[]>(bytes.size() + 1), bytes.size()};
    std::memcpy(contents.Data.get(), bytes.data(), bytes.size());
    TOutputLines output;
    AddDocumentLines(DecodeSource(contents, settings.SourceEncoding), output, settings, blockSize);
    return std::string(output.Text());
}

}  // namespace tabulor::testkit

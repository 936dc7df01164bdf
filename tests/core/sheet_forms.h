// Helpers of the tests and the fuzzers: one sheet written in each form that spreadsheets save
// text in, and a conversion in memory of a source's bytes. Each form must give the same table.
#pragma once

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/conversion.h"
#include "core/utf8.h"
#include "core/windows1252.h"

namespace tabulor::testkit {

// Cells as Windows-1252 bytes, none of them a tab, a CR, an LF or a NUL: what every form holds.
using TSheet = std::vector<std::vector<std::string>>;

struct TSheetForm {
    const char* Name;
    TSourceEncoding Encoding;
    TFieldSeparator Separator;
    // As the encoding is told: named, or found by the automatic reading.
    TSourceEncoding ReadAs;
};

inline constexpr std::array<TSheetForm, 6> kSheetForms = {{
    {"Windows-1252 tab text", seWindows1252, fsTab, seWindows1252},
    {"UTF-8 tab text", seUtf8, fsTab, seUtf8},
    {"UTF-16 Unicode text", seUtf16, fsTab, seAutomatic},
    {"UTF-16 big-endian tab text", seUtf16, fsTab, seUtf16},
    {"UTF-8 CSV with semicolons", seUtf8, fsSemicolon, seAutomatic},
    {"Windows-1252 CSV with commas", seWindows1252, fsComma, seWindows1252},
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

// The text of the rows as Windows-1252 bytes, each row ended by CR LF.
inline std::string SheetText(const TSheet& sheet, TFieldSeparator separator)
{
    const char between = SeparatorByte(separator);
    std::string text;
    for (const auto& row : sheet) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += between;
            text += separator == fsTab ? row[i] : CsvField(row[i], between);
        }
        text += "\r\n";
    }
    return text;
}

inline std::string EncodeText(std::string_view windows1252, const TSheetForm& form)
{
    if (form.Encoding == seWindows1252)
        return std::string(windows1252);
    const bool bigEndian = std::string_view(form.Name).find("big-endian") != std::string_view::npos;
    std::string bytes = form.Encoding == seUtf8 ? "\xEF\xBB\xBF" : bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char byte : windows1252) {
        const char32_t character = Windows1252Character(static_cast<unsigned char>(byte));
        if (form.Encoding == seUtf8) {
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

inline std::string WriteSheet(const TSheet& sheet, const TSheetForm& form)
{
    return EncodeText(SheetText(sheet, form.Separator), form);
}

// The destination's bytes for the source's, without a file: throws ETextFault as a run would.
inline std::string ConvertInMemory(std::string_view bytes, const TConversionSettings& settings)
{
    TFileContents contents{std::make_unique<char[]>(bytes.size() + 1), bytes.size()};
    std::memcpy(contents.Data.get(), bytes.data(), bytes.size());
    TOutputLines output;
    AddDocumentLines(DecodeSource(contents, settings.SourceEncoding), output, settings);
    return std::string(output.Text());
}

}  // namespace tabulor::testkit

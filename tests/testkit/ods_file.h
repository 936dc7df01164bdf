// OpenDocument spreadsheets made in memory for the tests, written as a spreadsheet program
// writes them: the mimetype stored first, content.xml, the manifest; spaces that a paragraph
// would collapse as text:s, tabs as text:tab, one text:p per line; a merged area as its top-left
// cell's spans and covered cells after it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/testkit/zip_file.h"
#include "workbook/sheet.h"

namespace tabulor::testkit {

struct TOdsSheet {
    std::string Name;
    bool Hidden = false;
    std::vector<std::vector<std::string>> Rows;  // an empty text is an empty cell
    std::vector<TCellArea> Merges;
};

inline constexpr std::string_view OdsNamespaces =
    R"( xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0")"
    R"( xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0")"
    R"( xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0")"
    R"( xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0")"
    R"( xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0")"
    R"( xmlns:xlink="http://www.w3.org/1999/xlink")"
    R"( xmlns:dc="http://purl.org/dc/elements/1.1/")"
    R"( office:version="1.2")";

inline constexpr std::string_view OdsManifest =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0")"
    R"( manifest:version="1.2">)"
    R"(<manifest:file-entry manifest:full-path="/")"
    R"( manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>)"
    R"(<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>)"
    R"(</manifest:manifest>)";

// content.xml around the sheets' table:table elements, with an automatic style "hidden" for hidden
// sheets.
inline std::string OdsContent(std::string_view sheets)
{
    std::string content = R"(<?xml version="1.0" encoding="UTF-8"?><office:document-content)";
    content += OdsNamespaces;
    content += R"(><office:automatic-styles>)"
               R"(<style:style style:name="shown" style:family="table">)"
               R"(<style:table-properties table:display="true"/></style:style>)"
               R"(<style:style style:name="hidden" style:family="table">)"
               R"(<style:table-properties table:display="false"/></style:style>)"
               R"(</office:automatic-styles><office:body><office:spreadsheet>)";
    content += sheets;
    content += "</office:spreadsheet></office:body></office:document-content>";
    return content;
}

inline std::string MakeOdsPackage(const std::string& content,
                                  std::string_view manifest = OdsManifest)
{
    return MakeZip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet", false},
                    {"content.xml", content},
                    {"META-INF/manifest.xml", std::string(manifest)}});
}

namespace detail {

inline void AppendEscaped(std::string& out, char c)
{
    switch (c) {
    case '&': out += "&amp;"; break;
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    case '"': out += "&quot;"; break;
    default: out += c;
    }
}

// One line of a cell: a space stays a character only alone between two other characters.
inline void AppendParagraph(std::string& out, std::string_view line)
{
    out += "<text:p>";
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == '\t') {
            out += "<text:tab/>";
            ++i;
            continue;
        }
        if (line[i] != ' ') {
            AppendEscaped(out, line[i++]);
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && line[end] == ' ')
            ++end;
        std::size_t run = end - i;
        if (i > 0 && line[i - 1] != '\t' && end < line.size() && line[end] != '\t') {
            out += ' ';
            --run;
        }
        if (run > 0)
            out += "<text:s text:c=\"" + std::to_string(run) + "\"/>";
        i = end;
    }
    out += "</text:p>";
}

inline const TCellArea* MergeAt(const TOdsSheet& sheet, std::uint32_t row, std::uint32_t col)
{
    for (const TCellArea& merge : sheet.Merges)
        if (row >= merge.Top && row <= merge.Bottom && col >= merge.Left && col <= merge.Right)
            return &merge;
    return nullptr;
}

inline void AppendCell(std::string& out, const TOdsSheet& sheet, std::uint32_t row,
                       std::uint32_t col, std::string_view text)
{
    const TCellArea* merge = MergeAt(sheet, row, col);
    const bool covered = merge != nullptr && (row != merge->Top || col != merge->Left);
    out += covered ? "<table:covered-table-cell" : "<table:table-cell";
    if (merge != nullptr && !covered)
        out += " table:number-columns-spanned=\"" + std::to_string(merge->Right - merge->Left + 1) +
               "\" table:number-rows-spanned=\"" + std::to_string(merge->Bottom - merge->Top + 1) +
               "\"";
    if (!text.empty())
        out += " office:value-type=\"string\"";
    out += '>';
    for (std::size_t start = 0; !text.empty() && start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        AppendParagraph(out, text.substr(start, end - start));
        start = end + 1;
    }
    out += covered ? "</table:covered-table-cell>" : "</table:table-cell>";
}

}  // namespace detail

// A sheet as content.xml holds it, its table:table element. Covered cells keep whatever text the rows give them.
inline std::string OdsSheetXml(const TOdsSheet& sheet)
{
    std::string out = "<table:table table:name=\"";
    for (char c : sheet.Name)
        detail::AppendEscaped(out, c);
    out += sheet.Hidden ? R"(" table:style-name="hidden">)" : R"(" table:style-name="shown">)";
    out += "<table:table-column table:number-columns-repeated=\"16384\"/>";
    for (std::uint32_t row = 0; row < sheet.Rows.size(); ++row) {
        out += "<table:table-row>";
        for (std::uint32_t col = 0; col < sheet.Rows[row].size(); ++col)
            detail::AppendCell(out, sheet, row, col, sheet.Rows[row][col]);
        out += "</table:table-row>";
    }
    out += "</table:table>";
    return out;
}

inline std::string MakeOds(const std::vector<TOdsSheet>& sheets)
{
    std::string sheetsXml;
    for (const TOdsSheet& sheet : sheets)
        sheetsXml += OdsSheetXml(sheet);
    return MakeOdsPackage(OdsContent(sheetsXml));
}

}  // namespace tabulor::testkit

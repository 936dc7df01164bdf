// The table's rules read on their own, for the tests and the fuzzers to hold the core's output
// against: each line split at its tabs, each field encoded a byte at a time, none of the row
// writer's lookup tables or shortcuts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/cell_encoding.h"
#include "core/source_rows.h"
#include "core/table_settings.h"

namespace tabulor::reference {

// The fields of a line: the runs of bytes between tabs, tabs + 1 of them.
inline std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

// A cell's text: the empty-cell text for an empty field, else each byte or its entity reference.
inline std::string EncodeField(std::string_view field, std::string_view emptyCellText)
{
    if (field.empty())
        return std::string(emptyCellText);
    std::string out;
    for (const char c : field) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '&')
            out += "&amp;";
        else if (b == '<')
            out += "&lt;";
        else if (b == '>')
            out += "&gt;";
        else if (b == 0x80)
            out += "&euro;";
        else if (b >= 0x81)
            out += CharEntities[b - 0x81];
        else
            out += c;
    }
    return out;
}

// ` name="value"`, or nothing for an empty value.
inline std::string Attribute(std::string_view name, std::string_view value)
{
    return value.empty() ? std::string() : " " + std::string(name) + "=\"" + std::string(value) + "\"";
}

inline std::string StartTag(std::string_view element, std::string_view className)
{
    return "<" + std::string(element) + Attribute("class", className) + ">";
}

// The table's lines, without their line ends; header cells by row and column index.
inline std::vector<std::string> Table(std::string_view source, const TTableSettings& settings)
{
    std::vector<std::string> lines{"<table" + Attribute("class", settings.TableClass) +
                                   Attribute("border", settings.Border) + ">"};
    std::int64_t row = 0;
    for (const std::string_view line : TSourceRows(source)) {
        std::string text = "  " + StartTag("tr", settings.RowClass);
        std::int64_t column = 0;
        for (const std::string_view field : Fields(line)) {
            const bool header = row < settings.TitleRows || column < settings.TitleCols;
            text += header ? StartTag("th", settings.HeaderClass) : StartTag("td", settings.CellClass);
            text += EncodeField(field, settings.EmptyCellText);
            text += header ? "</th>" : "</td>";
            ++column;
        }
        lines.push_back(text + "</tr>");
        ++row;
    }
    lines.push_back("</table>");
    return lines;
}

}  // namespace tabulor::reference

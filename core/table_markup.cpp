#include <algorithm>
#include <cstdint>
#include <cstring>

#include "cell_encoding.h"
#include "conversion.h"

namespace tabulor {

namespace {

constexpr char kSeparator = '\t';

std::string OpeningTag(std::string_view tag, const std::string& className)
{
    std::string result = "<" + std::string(tag);
    if (!className.empty())
        result += " class=\"" + className + "\"";
    return result + ">";
}

std::string TableOpeningLine(const TConversionSettings& settings)
{
    std::string line = "<table";
    if (!settings.TableClass.empty())
        line += " class=\"" + settings.TableClass + "\"";
    if (!settings.Border.empty())
        line += " border=\"" + settings.Border + "\"";
    return line + ">";
}

// The tags every row and cell is written with, built once per table.
struct TTags {
    std::string Row;
    std::string Header;
    std::string Data;
};

// Appends one row. Fields are cut in one pass over the line, so a row costs what its bytes cost
// however many cells it holds; the cells are those GetDelimitedField gives for 1 to tabs + 1.
void AddRow(std::string_view line, bool headerRow, const TTags& tags,
            const TConversionSettings& settings, TOutputLines& output)
{
    std::string& out = output.Tail();
    out.append(tags.Row);
    const char* p = line.data();
    const char* const end = p + line.size();
    for (std::int64_t column = 0;; ++column) {
        const void* hit = std::memchr(p, kSeparator, static_cast<std::size_t>(end - p));
        const char* fieldEnd = hit != nullptr ? static_cast<const char*>(hit) : end;
        const bool header = headerRow || column < settings.TitleCols;
        out.append(header ? tags.Header : tags.Data);
        AppendEncodedCell(out, std::string_view(p, static_cast<std::size_t>(fieldEnd - p)),
                          settings.EmptyCellText);
        out.append(header ? "</th>" : "</td>");
        output.FlushIfFull();
        if (fieldEnd == end)
            break;
        p = fieldEnd + 1;
    }
    out.append("</tr>");
    output.EndLine();
}

}  // namespace

std::size_t CountOccurrences(char separator, std::string_view text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), separator));
}

std::string_view GetDelimitedField(std::string_view text, char separator, long long n)
{
    std::size_t start = 0;
    for (long long skipped = 1; skipped < n; ++skipped) {
        const std::size_t hit = text.find(separator, start);
        if (hit == std::string_view::npos)
            return {};
        start = hit + 1;
    }
    const std::size_t stop = text.find(separator, start);
    return text.substr(start, stop == std::string_view::npos ? std::string_view::npos : stop - start);
}

void AddTableLines(const TSourceLines& source, TOutputLines& output,
                   const TConversionSettings& settings)
{
    output.AddLine(TableOpeningLine(settings));
    const TTags tags{
        "  " + OpeningTag("tr", settings.RowClass),
        OpeningTag("th", settings.HeaderClass),
        OpeningTag("td", settings.CellClass),
    };
    std::int64_t row = 0;
    for (const std::string_view line : source) {
        AddRow(line, row < settings.TitleRows, tags, settings, output);
        ++row;
    }
    output.AddLine("</table>");
}

}  // namespace tabulor

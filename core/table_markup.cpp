#include "table_markup.h"

#include <algorithm>
#include <string>

#include "row_writer.h"

namespace tabulor {

namespace {

std::string TableOpeningLine(const TTableSettings& settings)
{
    std::string line = "<table";
    if (!settings.TableClass.empty())
        line.append(" class=\"").append(settings.TableClass).append("\"");
    if (!settings.Border.empty())
        line.append(" border=\"").append(settings.Border).append("\"");
    return line + ">";
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

void AddTableLines(const TSourceLines& source, TOutputLines& output, const TTableSettings& settings)
{
    output.AddLine(TableOpeningLine(settings));
    const TRowWriter rows(settings);
    std::size_t row = 0;
    for (const std::string_view line : source)
        rows.AddRow(line, row++, output);
    output.AddLine("</table>");
}

}  // namespace tabulor

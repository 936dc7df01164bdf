#include "table_markup.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tabulor {

std::string TableOpeningLine(const TTableSettings& settings)
{
    std::string line = "<table";
    if (!settings.TableClass.empty())
        line.append(" class=\"").append(settings.TableClass).append("\"");
    if (!settings.Border.empty())
        line.append(" border=\"").append(settings.Border).append("\"");
    return line + ">";
}

void AddTableLines(const TSourceLines& source, TOutputLines& output, const TTableSettings& settings,
                   const TCellReading& reading)
{
    output.AddLine(TableOpeningLine(settings));
    const TRowWriter rows(settings, reading);
    std::size_t row = 0;
    for (const std::string_view line : source)
        rows.AddRow(line, row++, output);
    output.AddLine("</table>");
}

}  // namespace tabulor

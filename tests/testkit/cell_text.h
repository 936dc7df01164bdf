// Fields as the table writes them, for the tests and the fuzzers of the cell encoding: the row
// writer is the one encoder the conversion has.
#pragma once

#include <string>
#include <string_view>

#include "core/output_lines.h"
#include "core/row_writer.h"
#include "core/table_settings.h"

namespace tabulor::testkit {

// The text of a data cell that holds a field alone. A field may hold any byte but a tab, which
// would end the cell. Made once for many fields, as making the row writer's tables is what costs.
class TCellWriter {
public:
    explicit TCellWriter(std::string_view emptyCellText) : Rows(Settings(emptyCellText)) {}

    std::string Text(std::string_view field) const
    {
        TOutputLines output;
        Rows.AddRow(field, 0, output);
        constexpr std::string_view Before = "  <tr><td>";
        constexpr std::string_view After = "</td></tr>\r\n";
        const std::string_view row = output.Text();
        if (!row.starts_with(Before) || !row.ends_with(After) || row.size() < Before.size() + After.size())
            return "<not one data cell: " + std::string(row) + ">";
        return std::string(row.substr(Before.size(), row.size() - Before.size() - After.size()));
    }

private:
    static TTableSettings Settings(std::string_view emptyCellText)
    {
        TTableSettings settings;
        settings.EmptyCellText = emptyCellText;
        return settings;
    }

    TRowWriter Rows;
};

inline std::string CellText(std::string_view field, std::string_view emptyCellText)
{
    return TCellWriter(emptyCellText).Text(field);
}

}  // namespace tabulor::testkit

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
        constexpr std::string_view kBefore = "  <tr><td>";
        constexpr std::string_view kAfter = "</td></tr>\r\n";
        const std::string_view row = output.Text();
        if (!row.starts_with(kBefore) || !row.ends_with(kAfter) || row.size() < kBefore.size() + kAfter.size())
            return "<not one data cell: " + std::string(row) + ">";
        return std::string(row.substr(kBefore.size(), row.size() - kBefore.size() - kAfter.size()));
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

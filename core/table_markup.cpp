#include "table_markup.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <thread>

#include "ordered_blocks.h"
#include "source_rows.h"
#include "table_blocks.h"

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

void AddTableLines(std::string_view text, TOutputLines& output, const TTableSettings& settings,
                   const TCellReading& reading, std::size_t blockSize)
{
    output.AddLine(TableOpeningLine(settings));
    const TRowWriter rows(settings, reading);
    const std::size_t headerRows = HeaderCount(settings.TitleRows);
    const auto addRows = [&](const TTableBlock& block, TOutputLines& into) {
        // Past the first block every row is a data row.
        std::size_t row = block.First ? 0 : headerRows;
        for (const std::string_view rowText : TSourceRows(block.Text, reading.Separator))
            rows.AddRow(rowText, row++, into);
    };
    if (text.size() <= blockSize) {
        addRows({text, true}, output);
    } else {
        TTableBlocks blocks(text, reading.Separator, headerRows, blockSize);
        // One file is written at the pace of one thread: beyond a few, more threads converting
        // would only hold more memory.
        constexpr unsigned mostThreads = 4;
        const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, mostThreads);
        ConvertBlocksInOrder(blocks, addRows, output, threads);
    }
    output.AddLine("</table>");
}

}  // namespace tabulor

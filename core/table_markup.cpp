#include "table_markup.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "cell_encoding.h"
#include "header_links.h"
#include "linked_rows.h"
#include "ordered_blocks.h"
#include "row_writer.h"
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

void AddTableOpening(TOutputLines& output, const TTableSettings& settings, bool xhtml)
{
    output.AddLine(TableOpeningLine(settings));
    if (settings.Caption.empty())
        return;
    output.Append("  <caption>");
    output.Append(EncodeUtf8Text(settings.Caption, xhtml ? "<br />" : "<br>"));
    output.AddLine("</caption>");
}

void AddTableLines(std::string_view text, TOutputLines& output, const TTableSettings& settings,
                   const TCellReading& reading, std::size_t blockSize)
{
    AddTableOpening(output, settings, reading.Xhtml);
    const TRowWriter rows(settings, reading);
    const std::size_t headerRows = HeaderCount(settings.TitleRows);
    std::optional<TLinkedRows> linked;
    if (settings.LinkHeaders)
        linked.emplace(text, settings, reading, rows);
    // Rows that name their number are counted; elsewhere, past the first block every row is a
    // data row.
    const bool countRows = linked && linked->NeedsRowNumbers();
    const auto addRows = [&](const TTableBlock& block, TOutputLines& into) {
        std::size_t row = block.First || countRows ? block.FirstRow : headerRows;
        for (const std::string_view rowText : TSourceRows(block.Text, reading.Separator)) {
            if (linked)
                linked->AddRow(rowText, row++, into);
            else
                rows.AddRow(rowText, row++, into);
        }
    };
    if (text.size() <= blockSize) {
        addRows({text, true}, output);
    } else {
        TTableBlocks blocks(text, reading.Separator, headerRows, blockSize, countRows);
        // One file is written at the pace of one thread: beyond a few, more threads converting
        // would only hold more memory.
        constexpr unsigned mostThreads = 4;
        const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, mostThreads);
        ConvertBlocksInOrder(blocks, addRows, output, threads);
    }
    if (linked && linked->Grouped())
        output.AddLine(BodyClosing);
    output.AddLine("</table>");
}

}  // namespace tabulor

#include "table_blocks.h"

#include <algorithm>

namespace tabulor {

TTableBlocks::TTableBlocks(std::string_view text, TFieldSeparator separator, std::size_t headerRows,
                           std::size_t blockSize)
    : Text(text), Quoted(separator != fsTab), HeaderRows(headerRows), BlockSize(std::max<std::size_t>(blockSize, 1)),
      Rows(TSourceLines(text, separator).begin())
{
}

bool TTableBlocks::Next(TTableBlock& block)
{
    if (Start == Text.size())
        return false;
    const std::size_t end = BlockEnd(Start);
    block = {Text.substr(Start, end - Start), Start == 0};
    Start = end;
    return true;
}

std::size_t TTableBlocks::BlockEnd(std::size_t from)
{
    const std::size_t target = std::min(from + BlockSize, Text.size());
    const std::size_t leastRows = from == 0 ? HeaderRows : 0;
    if (Quoted)
        return FollowRows(target, leastRows);
    // Tab-separated, any line end ends a row: only the header rows are followed.
    const std::size_t headerEnd = leastRows > 0 ? FollowRows(0, leastRows) : 0;
    return headerEnd >= target ? headerEnd : LineEndAfter(target);
}

std::size_t TTableBlocks::FollowRows(std::size_t target, std::size_t leastRows)
{
    const TSourceLines::TIterator last;
    for (std::size_t rows = 1; Rows != last; ++rows) {
        const auto rowEnd = static_cast<std::size_t>(Rows.NextRowStart() - Text.data());
        ++Rows;
        if (rowEnd >= target && rows >= leastRows)
            return rowEnd;
    }
    return Text.size();
}

// Just past the first line end at or after at, both bytes of a CR LF.
std::size_t TTableBlocks::LineEndAfter(std::size_t at) const
{
    const std::size_t lineEnd = Text.find_first_of("\r\n", at);
    if (lineEnd == std::string_view::npos)
        return Text.size();
    const bool crLf = Text[lineEnd] == '\r' && lineEnd + 1 < Text.size() && Text[lineEnd + 1] == '\n';
    return lineEnd + (crLf ? 2 : 1);
}

}  // namespace tabulor

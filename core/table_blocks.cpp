#include "table_blocks.h"

#include <algorithm>
#include <bit>

#include "file_errors.h"
#include "source_lines.h"

namespace tabulor {

TTableBlocks::TTableBlocks(std::string_view text, TFieldSeparator separator, std::size_t headerRows,
                           std::size_t blockSize)
    : Text(text), Separator(SeparatorByte(separator)), Quoted(separator != fsTab), HeaderRows(headerRows),
      BlockSize(std::max<std::size_t>(blockSize, 1))
#ifdef TABULOR_VECTOR_SCAN
      , Stops(Quoted ? TByteFinder({'\r', '\n', '"'}) : TByteFinder({'\r', '\n'}))
#endif
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

std::size_t TTableBlocks::BlockEnd(std::size_t from) const
{
    const std::size_t target = std::min(from + BlockSize, Text.size());
    const std::size_t leastRows = from == 0 ? HeaderRows : 0;
    if (Quoted)
        return FollowRows(from, target, leastRows);
    // Tab-separated, any line end ends a row: only the header rows are followed.
    const std::size_t headerEnd = leastRows > 0 ? FollowRows(0, 0, leastRows) : 0;
    return headerEnd >= target ? headerEnd : LineEndAfter(target);
}

// The rows as the source's lines read them: a line end inside a quoted field is the field's, and
// a quote opens a field only where the field begins.
std::size_t TTableBlocks::FollowRows(std::size_t from, std::size_t target, std::size_t leastRows) const
{
    std::size_t rows = 0;
    std::size_t rowStart = from;
    std::size_t at = from;
    while ((at = NextStop(at)) < Text.size()) {
        if (Text[at] == '"') {
            if (at != rowStart && Text[at - 1] != Separator) {
                ++at;
                continue;
            }
            const std::size_t opening = at;
            at = QuotedFieldEnd(Text, opening);
            if (at == std::string_view::npos)
                throw ETextFault(ETextFault::UnclosedQuote, LineNumberAt(Text, opening));
            continue;
        }
        rowStart = LineEndAfter(at);
        at = rowStart;
        ++rows;
        if (at >= target && rows >= leastRows)
            return at;
    }
    return Text.size();
}

// The first line end, or quote where quotes count, at or after at; the text's size if none.
std::size_t TTableBlocks::NextStop(std::size_t at) const
{
#ifdef TABULOR_VECTOR_SCAN
    for (; Text.size() - at >= TByteFinder::Width; at += TByteFinder::Width) {
        if (const unsigned found = Stops.FindExactly(Text.data() + at); found != 0)
            return at + static_cast<std::size_t>(std::countr_zero(found));
    }
#endif
    for (; at < Text.size(); ++at) {
        const char byte = Text[at];
        if (byte == '\r' || byte == '\n' || (Quoted && byte == '"'))
            break;
    }
    return at;
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

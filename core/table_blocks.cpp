#include "table_blocks.h"

#include <algorithm>
#include <iterator>

#include "file_errors.h"
#include "source_rows.h"

namespace tabulor {

TTableBlocks::TTableBlocks(std::string_view text, TFieldSeparator separator, std::size_t headerRows,
                           std::size_t blockSize, bool countRows)
    : Text(text), FieldSeparator(separator), Separator(SeparatorByte(separator)), Quoted(separator != TFieldSeparator::Tab),
      HeaderRows(headerRows), BlockSize(std::max<std::size_t>(blockSize, 1)), CountRows(countRows)
{
}

bool TTableBlocks::Next(TTableBlock& block)
{
    if (Start == Text.size())
        return false;
    const std::size_t end = BlockEnd(Start);
    block = {Text.substr(Start, end - Start), Start == 0, RowsBefore};
    Start = end;
    if (CountRows) {
        const TSourceRows rows(block.Text, FieldSeparator);
        RowsBefore += static_cast<std::size_t>(std::distance(rows.begin(), rows.end()));
    }
    return true;
}

// Past the header rows, a block ends at the first row end at or after its target: with quoted
// fields, the quotes alone are followed up to the target, so that the line ends before it need
// no look.
std::size_t TTableBlocks::BlockEnd(std::size_t from) const
{
    std::size_t at = from;
    for (std::size_t rows = from == 0 ? HeaderRows : 0; rows > 0 && at < Text.size(); --rows)
        at = RowEndAfter(at);
    const std::size_t target = std::min(from + BlockSize, Text.size());
    if (at >= target)
        return at;
    return RowEndAfter(Quoted ? PassQuotedFields(at, target) : target);
}

// A quote opens a field only where a field begins: at a row's start or after a separator. Past
// the quoted fields skipped whole, a line end always ends a row.
bool TTableBlocks::OpensField(std::size_t quote) const
{
    if (quote == 0)
        return true;
    const char before = Text[quote - 1];
    return before == Separator || before == '\r' || before == '\n';
}

std::size_t TTableBlocks::QuotedFieldEndAt(std::size_t opening) const
{
    const std::size_t end = QuotedFieldEnd(Text, opening);
    if (end == std::string_view::npos)
        throw ETextFault(ETextFault::TKind::UnclosedQuote, LineNumberAt(Text, opening));
    return end;
}

// The first byte at or after target outside quoted fields, from at, outside them.
std::size_t TTableBlocks::PassQuotedFields(std::size_t at, std::size_t target) const
{
    while (at < target) {
        const std::size_t quote = Text.find('"', at);
        if (quote >= target)
            return target;
        at = OpensField(quote) ? QuotedFieldEndAt(quote) : quote + 1;
    }
    return at;
}

// Just past the end of the row that at, outside quoted fields, lies in.
std::size_t TTableBlocks::RowEndAfter(std::size_t at) const
{
    while ((at = NextStop(at)) < Text.size()) {
        if (Text[at] != '"')
            return static_cast<std::size_t>(PastLineEnd(Text.data() + at, Text.data() + Text.size()) - Text.data());
        at = OpensField(at) ? QuotedFieldEndAt(at) : at + 1;
    }
    return Text.size();
}

std::size_t TTableBlocks::NextStop(std::size_t at) const
{
    const char* begin = Text.data();
    return static_cast<std::size_t>(NextLineEndOrQuote(begin + at, begin + Text.size(), Quoted) - begin);
}

}  // namespace tabulor

// A source text cut at row starts into blocks that can be converted apart and written in order.
// A block ends where a row ends, its line end included, so a CR LF is never split; with a
// semicolon or a comma between fields the rows are followed from the text's start, so that no
// block ends inside a quoted field and a quote still open at the end names its line in the whole
// text. The first block holds every header row, so that the rows of the others are data rows.
//
// It does not convert anything, nor count the rows past the header rows unless asked to.
#pragma once

#include <cstddef>
#include <string_view>

#include "source_format.h"

namespace tabulor {

// A block's rows, and whether it is the first, whose rows are counted from the table's first.
struct TTableBlock {
    std::string_view Text;
    bool First = false;
    // The index of its first row in the table, where rows are counted; else 0.
    std::size_t FirstRow = 0;
};

class TTableBlocks {
public:
    // Blocks of about blockSize bytes or more: a block runs to the end of the row that reaches it.
    // Rows are counted where countRows says so: a table whose cells name their row numbers.
    TTableBlocks(std::string_view text, TFieldSeparator separator, std::size_t headerRows, std::size_t blockSize,
                 bool countRows = false);

    // False at the text's end. Throws ETextFault for a quoted field still open at the end.
    bool Next(TTableBlock& block);

private:
    std::size_t BlockEnd(std::size_t from) const;
    bool OpensField(std::size_t quote) const;
    std::size_t QuotedFieldEndAt(std::size_t opening) const;
    std::size_t PassQuotedFields(std::size_t at, std::size_t target) const;
    std::size_t RowEndAfter(std::size_t at) const;
    // The first line end, or quote where quotes count, at or after at; the text's size if none.
    std::size_t NextStop(std::size_t at) const;

    std::string_view Text;
    TFieldSeparator FieldSeparator;
    char Separator;
    bool Quoted;
    std::size_t HeaderRows;
    std::size_t BlockSize;
    std::size_t Start = 0;
    bool CountRows;
    std::size_t RowsBefore = 0;
};

}  // namespace tabulor

// Writes a text source's rows, each in one pass over its bytes through the byte tables of its
// header and its data cells (see byte_table.h), so that a row costs what its bytes cost however
// many cells it holds. The quotes that open a CSV field stop the pass: such a field is written
// on its own.
//
// It does not write the table's opening and closing lines.
#pragma once

#include <cstddef>
#include <string_view>

#include "byte_table.h"
#include "cell_markup.h"
#include "output_lines.h"
#include "table_settings.h"

namespace tabulor {

class TRowWriter {
public:
    explicit TRowWriter(const TTableSettings& settings, const TCellReading& reading = {});
    // One row. Its index, from 0, tells only whether it is a header row: a block past the first,
    // all of whose rows are data rows, gives each the header rows' count.
    void AddRow(std::string_view text, std::size_t row, TOutputLines& output) const;

    // For rows whose cells carry attributes of their own, written a cell at a time: the cells'
    // markup, as this writer's cells have it.
    const TCellMarkup& Cells() const { return Markup; }
    // Where the row's first field ends: at its separator, or at the row's end.
    std::size_t FieldEnd(std::string_view text) const { return CellsEnd(text, 1); }
    // One field's text as its cell holds it, the empty-cell text for an empty one.
    void AddCellText(std::string_view field, TOutputLines& output) const;
    // The rest of a row as plain data cells, and the row's end.
    void AddDataCells(std::string_view text, TOutputLines& output) const;

private:
    void WriteCells(const TByteTable& table, std::string_view bytes, std::size_t& state, TOutputLines& output) const;
    const char* WriteQuotedField(const char* opening, const char* end, std::size_t& state,
                                 TOutputLines& output) const;
    void WriteQuotedText(std::string_view text, TOutputLines& output) const;
    std::size_t PlainRunEnd(std::string_view text, std::size_t i) const;
    std::size_t CellsEnd(std::string_view text, std::size_t cells) const;
    void EndCell(bool header, std::size_t state, TOutputLines& output) const;
    void EndRow(bool header, std::size_t state, TOutputLines& output) const;

    TCellReading Reading;
    char Separator;
    TCellMarkup Markup;
    TByteTable Header;
    TByteTable Data;
};

}  // namespace tabulor

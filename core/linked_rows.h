// The rows of a text source whose cells are tied to their headers. A header cell whose text tells
// nothing is written as a data cell; a table whose header cells scope alone ties as the rule does
// (see THeaderColumns) gets scope attributes, any other ids and headers attributes and scopes
// too. The header rows go in a row group of their own, the other rows in a second, where both
// hold a row.
//
// It reads the header rows once before writing, and the header columns of every row where it
// must count them. It does not write the table's opening and closing lines, nor the closing
// line of the second row group.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "output_lines.h"
#include "row_writer.h"
#include "table_settings.h"

namespace tabulor {

class TLinkedRows {
public:
    // rows writes the cells' texts and the rows without attributes; it must outlive this.
    // Throws ETextFault for a quoted field still open at the text's end.
    TLinkedRows(std::string_view text, const TTableSettings& settings, const TCellReading& reading,
                const TRowWriter& rows);

    // Whether the rows are in two row groups.
    bool Grouped() const { return Grouped_; }
    // Whether cells name the number of their row, so that rows must be counted from the first.
    bool NeedsRowNumbers() const { return !Simple && HeaderCols > 0; }
    // The row of the given index, from 0, as TRowWriter::AddRow takes it; a row group's lines
    // before the first row and after the last header row.
    void AddRow(std::string_view text, std::size_t row, TOutputLines& output) const;

private:
    void ReadHeaders(std::string_view text);
    bool BlankField(std::string_view field) const;
    void AddHeaderRow(std::string_view text, std::size_t row, TOutputLines& output) const;
    void AddBodyRow(std::string_view text, std::size_t row, TOutputLines& output) const;
    // The cell's text after its attributes, and its closing tag.
    void AddCellText(bool header, std::string_view field, TOutputLines& output) const;
    // The ids of the column's header cells in the header rows above row.
    std::string ColumnIdsAbove(std::size_t col, std::size_t row) const;
    std::string_view ColumnIds(std::size_t col) const;
    // The id, where the table takes ids, and the scope of a header cell at row and col.
    std::string HeaderAttribute(std::size_t row, std::size_t col, bool columnHeader) const;

    const TRowWriter& Rows;
    std::string_view Stem;
    bool Utf8;
    TFieldSeparator Separator;
    std::size_t HeaderRows;
    std::size_t HeaderCols;
    // By header row, by column: whether the cell tells something.
    std::vector<std::vector<bool>> HeaderRowCells;
    // By column: the ids that every cell below the header rows names first.
    std::vector<std::string> BodyColumnIds;
    bool Simple = true;
    bool Grouped_ = false;
};

}  // namespace tabulor

// Which cells of a sheet's table are header cells, and what ties each cell to its header cells,
// for a table whose cells are tied to their headers. A header cell is a cell that begins in the
// header rows or columns and whose text tells something; one that begins in both is a column
// header only. A table whose header cells scope alone ties as the rule does (see
// THeaderColumns), none of them spanning, gets scope attributes; any other ids and headers
// attributes, and its header cells their scope too, so that a browser guesses no header for a
// cell whose headers name none.
//
// It reads the sheet's cells once, before the table is written, and rewinds them. It writes no
// cell: the sheet's table does, with the attributes it gives.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "header_links.h"
#include "merge_layout.h"
#include "sheet_source.h"
#include "table_settings.h"

namespace tabulor {

class TSheetLinks {
public:
    // The layout and the stem must outlive this.
    TSheetLinks(TSheetSource& sheet, const TMergeLayout& merges, const TTableSettings& settings,
                std::string_view stem);

    // Whether the cell that begins at the place is a header cell.
    bool Header(std::uint32_t row, std::uint32_t col) const;
    // The sheet's row at which the second row group starts, where there are two: the first row
    // boundary at or below the header rows that no cell crosses, since a cell may not span out
    // of its row group. 0 where there are no groups.
    std::uint32_t BodyStart() const { return BodyStart_; }
    // The attributes after the class of the cell that begins at the area's top-left: its id,
    // scope and headers, as the table takes them.
    void AppendAttributes(std::string& text, const TMergedArea& area) const;

private:
    void ReadHeaderTexts(TSheetSource& sheet);
    // The area of the cell that begins at the place; none where a cell covers it from elsewhere.
    bool CellAt(std::uint32_t row, std::uint32_t col, TMergedArea& area) const;
    void FindHeaderCells();
    void IndexRowHeaders();
    void FindBodyStart();
    void Decide();
    THeaderPlace Place(const TMergedArea& area) const;
    void AppendHeaders(std::string& text, const TMergedArea& area) const;

    const TMergeLayout& Merges;
    std::string_view Stem;
    std::uint32_t Rows;
    std::uint32_t Cols;
    std::uint32_t HeaderRows;  // within the sheet
    std::uint32_t HeaderCols;
    // Whether the text at each place of the header rows, then at each place of the header
    // columns below them, tells something.
    std::vector<bool> RowTexts;
    std::vector<bool> ColTexts;
    // The header cells of the header rows, in order of their top-left place, and by column
    // those that cover it.
    std::vector<TMergedArea> ColumnHeaders;
    std::vector<std::vector<std::uint32_t>> ColumnHeadersAt;
    // The header cells of the header columns below the header rows, and by row those that
    // cover it, left to right: those of row r from RowHeadersFrom[r] to RowHeadersFrom[r + 1].
    std::vector<TMergedArea> RowHeaders;
    std::vector<std::uint32_t> RowHeadersFrom;
    std::vector<std::uint32_t> RowHeadersAt;
    bool Simple = true;
    std::uint32_t BodyStart_ = 0;
    // The places a cell's headers name, gathered anew for each cell.
    mutable std::vector<THeaderPlace> Places;
    mutable std::vector<std::uint32_t> Found;
};

}  // namespace tabulor

// The merged areas of a sheet as its table writes them: clipped to the rectangle, none that
// overlaps an earlier one or covers a single cell, and the rows and columns they leave with no
// cell of their own, which are not written.
//
// It reads only the sheet's size and merged areas, never its cells.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sheet_source.h"

namespace tabulor {

class TMergeLayout {
public:
    explicit TMergeLayout(const TSheetSource& sheet);

    bool Covered(std::uint32_t row, std::uint32_t col) const
    {
        return !Bits.empty() && (Bits[row * Words + col / 64] >> (col % 64) & 1) != 0;
    }
    bool Dropped(std::uint32_t row) const { return Before(DroppedRows, row + 1) != Before(DroppedRows, row); }
    // By top-left position, row by row.
    const std::vector<TMergedArea>& Areas() const { return Areas_; }
    // The rows and the columns the area spans that are written.
    std::uint32_t RowSpan(const TMergedArea& area) const
    {
        return area.Bottom + 1 - area.Top - (Before(DroppedRows, area.Bottom + 1) - Before(DroppedRows, area.Top));
    }
    std::uint32_t ColSpan(const TMergedArea& area) const
    {
        return area.Right + 1 - area.Left - (Before(DroppedCols, area.Right + 1) - Before(DroppedCols, area.Left));
    }
    // A written row's or column's place in the table as written, from 0.
    std::uint32_t WrittenRow(std::uint32_t row) const { return row - Before(DroppedRows, row); }
    std::uint32_t WrittenCol(std::uint32_t col) const { return col - Before(DroppedCols, col); }

private:
    // Calls visit(word, mask) on the words that the area's columns take in each of its rows,
    // until one call returns true; says whether one did.
    template <typename TVisit>
    bool AnyWord(const TMergedArea& area, TVisit visit);
    void CountDroppedRows(std::uint32_t rows, std::uint32_t cols);
    void CountDroppedCols(std::uint32_t rows, std::uint32_t cols);
    // How many of the rows or columns before index are dropped: none where none is.
    static std::uint32_t Before(const std::vector<std::uint32_t>& dropped, std::uint32_t index)
    {
        return dropped.empty() ? 0 : dropped[index];
    }

    std::size_t Words;  // per row
    std::vector<std::uint64_t> Bits;  // a covered position's bit is set, its area's top-left's too
    // The dropped rows and columns before each, and before one past the last.
    std::vector<std::uint32_t> DroppedRows;
    std::vector<std::uint32_t> DroppedCols;
    std::vector<TMergedArea> Areas_;
    std::uint64_t WordTests = 0;
};

}  // namespace tabulor

#include "merge_layout.h"

#include <algorithm>

namespace tabulor {

// Every merge is tested against the earlier ones word by word, and an accepted one marks its
// words: a test for each row of each 64-bit word it spans, each word holding one of its columns
// at least. The merges of a sane file, which cover each cell once, thus cost at most two tests a
// cell; a file that piles up overlapping merges is stopped at twice that, plus two tests a merge,
// and its remaining merges are ignored: their cells are written plainly.
TMergeLayout::TMergeLayout(const TSheetSource& sheet) : Words((sheet.Cols() + 63) / 64)
{
    const std::uint64_t budget = 4 * std::uint64_t{sheet.Rows()} * sheet.Cols() + 2 * std::uint64_t{sheet.MergeCount()};
    for (std::size_t index = 0; index < sheet.MergeCount(); ++index) {
        const TMergedArea merge = sheet.Merge(index);
        if (merge.Top >= sheet.Rows() || merge.Left >= sheet.Cols() || merge.Top > merge.Bottom
            || merge.Left > merge.Right)
            continue;
        const TMergedArea area{merge.Top, merge.Left, std::min(merge.Bottom, sheet.Rows() - 1),
                               std::min(merge.Right, sheet.Cols() - 1)};
        if (area.Top == area.Bottom && area.Left == area.Right)
            continue;
        // The test and the marking both paid for, or neither.
        const std::uint64_t words = std::uint64_t{area.Bottom - area.Top + 1} * (area.Right / 64 - area.Left / 64 + 1);
        if (WordTests + 2 * words > budget)
            break;
        if (Bits.empty())
            Bits.assign(std::size_t{sheet.Rows()} * Words, 0);
        if (AnyWord(area, [](std::uint64_t& word, std::uint64_t mask) { return (word & mask) != 0; }))
            continue;
        AnyWord(area, [](std::uint64_t& word, std::uint64_t mask) { return (word |= mask, false); });
        Areas_.push_back(area);
    }
    std::sort(Areas_.begin(), Areas_.end(), [](const TMergedArea& a, const TMergedArea& b) {
        return a.Top < b.Top || (a.Top == b.Top && a.Left < b.Left);
    });
    if (Areas_.empty())
        return;
    CountDroppedRows(sheet.Rows(), sheet.Cols());
    CountDroppedCols(sheet.Rows(), sheet.Cols());
}

template <typename TVisit>
bool TMergeLayout::AnyWord(const TMergedArea& area, TVisit visit)
{
    const std::size_t first = area.Left / 64;
    const std::size_t last = area.Right / 64;
    for (std::size_t row = area.Top; row <= area.Bottom; ++row) {
        for (std::size_t word = first; word <= last; ++word) {
            std::uint64_t mask = ~std::uint64_t{0};
            if (word == first)
                mask &= mask << (area.Left % 64);
            if (word == last && area.Right % 64 != 63)
                mask &= (std::uint64_t{1} << (area.Right % 64 + 1)) - 1;
            ++WordTests;
            if (visit(Bits[row * Words + word], mask))
                return true;
        }
    }
    return false;
}

// A row whose every position is covered from above holds no cell and is not written.
void TMergeLayout::CountDroppedRows(std::uint32_t rows, std::uint32_t cols)
{
    std::vector<bool> holdsTopLeft(rows);
    for (const TMergedArea& area : Areas_)
        holdsTopLeft[area.Top] = true;
    DroppedRows.assign(std::size_t{rows} + 1, 0);
    for (std::uint32_t row = 0; row < rows; ++row) {
        const TMergedArea area{row, 0, row, cols - 1};
        const bool dropped = !holdsTopLeft[row] && !AnyWord(area, [](std::uint64_t& word, std::uint64_t mask) {
            return (word & mask) != mask;
        });
        DroppedRows[row + 1] = DroppedRows[row] + (dropped ? 1 : 0);
    }
}

// Likewise a column whose every position is covered from the left: its spans would say that a
// column is there in which no cell begins, which HTML5 forbids.
void TMergeLayout::CountDroppedCols(std::uint32_t rows, std::uint32_t cols)
{
    std::vector<std::uint64_t> begins(Words, 0);
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t word = 0; word < Words; ++word)
            begins[word] |= ~Bits[row * Words + word];
    }
    for (const TMergedArea& area : Areas_)
        begins[area.Left / 64] |= std::uint64_t{1} << (area.Left % 64);
    DroppedCols.assign(std::size_t{cols} + 1, 0);
    for (std::uint32_t col = 0; col < cols; ++col) {
        const bool dropped = (begins[col / 64] >> (col % 64) & 1) == 0;
        DroppedCols[col + 1] = DroppedCols[col] + (dropped ? 1 : 0);
    }
}


}  // namespace tabulor

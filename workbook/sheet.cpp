#include "workbook/sheet.h"

#include <algorithm>
#include <limits>

#include "workbook/workbook_fault.h"

namespace tabulor {

namespace {

bool Before(std::uint32_t row, std::uint32_t col, std::uint32_t otherRow, std::uint32_t otherCol)
{
    return row < otherRow || (row == otherRow && col < otherCol);
}

}  // namespace

TSheet::TSheet(std::string name) : Name_(std::move(name)) {}

void TSheet::AddCell(std::uint32_t row, std::uint32_t col, std::string_view text)
{
    if (text.empty())
        return;
    if (row >= MaxSheetRows || col >= MaxSheetCols)
        throw EWorkbookFault(EWorkbookFault::Invalid);
    Rows_ = std::max(Rows_, row + 1);
    Cols_ = std::max(Cols_, col + 1);
    // Past the budget only the rectangle matters: its size is all the error will tell.
    if (std::uint64_t{Rows_} * Cols_ > MaxTableCells
        || Texts_.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
        TooLarge_ = true;
    if (TooLarge_) {
        std::vector<TStoredCell>().swap(Stored_);
        std::string().swap(Texts_);
        return;
    }
    if (!Stored_.empty() && !Before(Stored_.back().Row, Stored_.back().Col, row, col))
        Ordered_ = false;
    Stored_.push_back({row, col, static_cast<std::uint32_t>(Texts_.size()),
                       static_cast<std::uint32_t>(text.size())});
    Texts_.append(text);
}

void TSheet::AddMerge(const TCellArea& area)
{
    Merges_.push_back(area);
}

void TSheet::Finish()
{
    if (TooLarge_)
        throw EWorkbookFault(EWorkbookFault::TooLarge, Name_, Rows_, Cols_);
    if (Ordered_)
        return;
    const auto before = [](const TStoredCell& a, const TStoredCell& b) {
        return Before(a.Row, a.Col, b.Row, b.Col);
    };
    std::stable_sort(Stored_.begin(), Stored_.end(), before);
    // Of the cells at one place, in the order they came, the last one stands.
    auto kept = Stored_.begin();
    for (auto cell = Stored_.begin(); cell != Stored_.end(); ++cell) {
        const auto next = cell + 1;
        if (next == Stored_.end() || before(*cell, *next))
            *kept++ = *cell;
    }
    Stored_.erase(kept, Stored_.end());
    Ordered_ = true;
}

std::vector<TSheet::TCell> TSheet::Cells() const
{
    std::vector<TCell> cells;
    cells.reserve(Stored_.size());
    for (std::size_t i = 0; i < Stored_.size(); ++i)
        cells.push_back(Cell(i));
    return cells;
}

}  // namespace tabulor

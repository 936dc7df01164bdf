// A workbook sheet made in a test, as the table is written from it: the texts of its cells by row
// and column, and its merged areas as the file lists them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/sheet_markup.h"

namespace tabulor::testkit {

using TRows = std::vector<std::vector<std::string>>;

// As a workbook gives it: the rectangle runs from A1 to the last row and the last column that
// hold a text, and an empty text is no cell.
class TTestSheet final : public TSheetSource {
public:
    TTestSheet(const TRows& rows, std::vector<TMergedArea> merges) : Merges(std::move(merges))
    {
        for (std::uint32_t row = 0; row < rows.size(); ++row) {
            for (std::uint32_t col = 0; col < rows[row].size(); ++col) {
                if (rows[row][col].empty())
                    continue;
                Cells.push_back({row, col, rows[row][col]});
                RowCount = std::max(RowCount, row + 1);
                ColCount = std::max(ColCount, col + 1);
            }
        }
    }
    std::uint32_t Rows() const override { return RowCount; }
    std::uint32_t Cols() const override { return ColCount; }
    const TSheetCell* NextCell() override { return Next < Cells.size() ? &Cells[Next++] : nullptr; }
    void Rewind() override { Next = 0; }
    std::size_t MergeCount() const override { return Merges.size(); }
    TMergedArea Merge(std::size_t index) const override { return Merges[index]; }

private:
    std::vector<TSheetCell> Cells;
    std::size_t Next = 0;
    std::uint32_t RowCount = 0;
    std::uint32_t ColCount = 0;
    std::vector<TMergedArea> Merges;
};

}  // namespace tabulor::testkit

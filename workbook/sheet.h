// One sheet of a workbook as a table shows it: the texts of the cells that hold a value, and the
// merged areas. The rectangle runs from A1 to the last row and the last column that hold a value;
// formatting alone, and a cell whose text is empty, hold none.
//
// It does not format or read anything: the readers hand it each cell's text as the sheet shows
// it, in UTF-8, line breaks as "\n".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tabulor {

// The grid of a spreadsheet: a row or column past it is a fault of the file.
inline constexpr std::uint32_t MaxSheetRows = 1'048'576;
inline constexpr std::uint32_t MaxSheetCols = 16'384;
// The most cells a table may have: past it the sheet is refused before anything is written.
inline constexpr std::uint64_t MaxTableCells = 50'000'000;

// Rows and columns from 0, both ends included.
struct TCellArea {
    std::uint32_t Top = 0;
    std::uint32_t Left = 0;
    std::uint32_t Bottom = 0;
    std::uint32_t Right = 0;
};

class TSheet {
public:
    struct TCell {
        std::uint32_t Row;
        std::uint32_t Col;
        std::string_view Text;
    };

    explicit TSheet(std::string name = {});

    // Cells come in any order, though mostly row by row; a later cell at the same place replaces
    // an earlier one. An empty text adds nothing. Past MaxTableCells, or past 4 GiB of text, the
    // texts are no longer kept, only the rectangle, so that Finish can name its size. A place
    // past the grid throws EWorkbookFault{Invalid}.
    void AddCell(std::uint32_t row, std::uint32_t col, std::string_view text);
    void AddMerge(const TCellArea& area);
    // Counts a formula cell that has no stored value.
    void AddFormulaWithoutValue() { ++FormulasWithoutValue_; }

    // Orders the cells row by row. Throws EWorkbookFault{TooLarge} for a rectangle of more than
    // MaxTableCells cells.
    void Finish();

    const std::string& Name() const { return Name_; }
    std::uint32_t Rows() const { return Rows_; }
    std::uint32_t Cols() const { return Cols_; }
    // After Finish: the cells row by row, each row's by column, one per place.
    std::vector<TCell> Cells() const;
    // The same one at a time, for a sheet too big to copy: index below CellCount().
    std::size_t CellCount() const { return Stored_.size(); }
    TCell Cell(std::size_t index) const
    {
        const TStoredCell& cell = Stored_[index];
        return {cell.Row, cell.Col, std::string_view(Texts_).substr(cell.Offset, cell.Length)};
    }
    const std::vector<TCellArea>& Merges() const { return Merges_; }
    std::size_t FormulasWithoutValue() const { return FormulasWithoutValue_; }

private:
    struct TStoredCell {
        std::uint32_t Row;
        std::uint32_t Col;
        std::uint32_t Offset;  // into Texts_, which is why it stays under 4 GiB
        std::uint32_t Length;
    };
    std::string Name_;
    std::string Texts_;
    std::vector<TStoredCell> Stored_;
    std::vector<TCellArea> Merges_;
    std::uint32_t Rows_ = 0;
    std::uint32_t Cols_ = 0;
    std::size_t FormulasWithoutValue_ = 0;
    bool Ordered_ = true;
    bool TooLarge_ = false;
};

}  // namespace tabulor

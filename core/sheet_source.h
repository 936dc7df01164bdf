// A workbook sheet as the core writes its table from it. The core's own description rather than
// the workbook layer's sheet, so that no header of the core includes the workbook layer:
// conversion.cpp alone makes one of the other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tabulor {

// Rows and columns from 0, both ends included.
struct TMergedArea {
    std::uint32_t Top = 0;
    std::uint32_t Left = 0;
    std::uint32_t Bottom = 0;
    std::uint32_t Right = 0;
};

struct TSheetCell {
    std::uint32_t Row = 0;
    std::uint32_t Col = 0;
    std::string_view Text;  // UTF-8, line breaks as "\n"
};

// The rectangle from A1, the cells that hold a text, read once in order, and the merged areas as
// the file lists them, which may overlap, run past the rectangle or cover a single cell.
class TSheetSource {
public:
    virtual ~TSheetSource() = default;

    virtual std::uint32_t Rows() const = 0;
    virtual std::uint32_t Cols() const = 0;
    // Row by row, each row's by column, one per place; none at the end. The cell stays valid until
    // the next call, its text as long as the source.
    virtual const TSheetCell* NextCell() = 0;
    // Starts the cells again from the first: a table whose cells are tied to their headers
    // reads them twice.
    virtual void Rewind() = 0;
    virtual std::size_t MergeCount() const = 0;
    virtual TMergedArea Merge(std::size_t index) const = 0;
};

}  // namespace tabulor

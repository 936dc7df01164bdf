// A workbook sheet's table: the rectangle's rows, cell by cell, in the markup a text source of
// the same cells gets, and each merged area as one cell with its spans.
//
// It does not read the workbook, nor write the document around the table: it knows a sheet only
// as TSheetSource describes it, which the conversion builds over the workbook layer's sheet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "output_lines.h"
#include "row_writer.h"
#include "table_settings.h"

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

// A sheet as its table is written from: the rectangle from A1, the cells that hold a text, read
// once in order, and the merged areas as the file lists them, which may overlap, run past the
// rectangle or cover a single cell.
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

// Of the reading, only the line break and the ids' stem apply: a sheet's texts are UTF-8.
void AddSheetTableLines(TSheetSource& sheet, TOutputLines& output, const TTableSettings& settings,
                        const TCellReading& reading);

}  // namespace tabulor

// A workbook sheet's table: the rectangle's rows, cell by cell, in the markup a text source of
// the same cells gets, and each merged area as one cell with its spans.
//
// It does not read the workbook, nor write the document around the table: it knows a sheet only
// as TSheetSource describes it, which the conversion builds over the workbook layer's sheet.
#pragma once

#include "cell_markup.h"
#include "output_lines.h"
#include "sheet_source.h"
#include "table_settings.h"

namespace tabulor {

// Of the reading, only the line break and the ids' stem apply: a sheet's texts are UTF-8.
void AddSheetTableLines(TSheetSource& sheet, TOutputLines& output, const TTableSettings& settings,
                        const TCellReading& reading);

}  // namespace tabulor

// A workbook sheet's table: the rectangle's rows, cell by cell, in the markup a text source of
// the same cells gets, and each merged area as one cell with its spans.
//
// It does not read the workbook, nor write the document around the table.
#pragma once

#include "output_lines.h"
#include "table_settings.h"
#include "workbook/sheet.h"

namespace tabulor {

void AddSheetTableLines(const TSheet& sheet, TOutputLines& output, const TTableSettings& settings, bool xhtml);

}  // namespace tabulor

// An Office Open XML workbook (.xlsx, .xlsm), transitional or Strict: its sheets from the
// package's relationships, and one sheet's cells as a French spreadsheet shows them.
//
// It computes nothing: a formula shows the value its program stored, or is an empty cell. A binary
// workbook (.xlsb) is refused as unsupported, not read.
#pragma once

#include <string_view>
#include <vector>

#include "workbook/sheet.h"
#include "workbook/sheet_entry.h"
#include "workbook/zip/zip_archive.h"

namespace tabulor::xlsx {

std::vector<TSheetEntry> ListXlsxSheets(const zip::TZipArchive& archive);
// The sheet's name is one that ListXlsxSheets gives, or empty for the one FirstShownSheet picks.
// Throws EWorkbookFault.
TSheet ReadXlsxSheet(const zip::TZipArchive& archive, std::string_view sheetName);

}  // namespace tabulor::xlsx

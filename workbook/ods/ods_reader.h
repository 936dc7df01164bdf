// An OpenDocument spreadsheet (.ods): its tables from content.xml, and one table's cells with
// the text that its program displayed.
#pragma once

#include <string_view>
#include <vector>

#include "workbook/sheet.h"
#include "workbook/workbook.h"
#include "workbook/zip/zip_archive.h"

namespace tabulor {

// True for an archive whose mimetype entry names an OpenDocument spreadsheet.
bool IsOdsArchive(const zip::TZipArchive& archive);
// The tables in order.
std::vector<TSheetEntry> ListOdsSheets(const zip::TZipArchive& archive);
// For an empty name, the first table not hidden, else the first. Throws EWorkbookFault:
// MissingSheet, naming sheetName, when no table has that name.
TSheet ReadOdsSheet(const zip::TZipArchive& archive, std::string_view sheetName);

}  // namespace tabulor

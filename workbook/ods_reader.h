// An OpenDocument spreadsheet (.ods): its tables from content.xml, and one table's cells with
// the text that its program displayed.
#pragma once

#include <string_view>
#include <vector>

#include "workbook/sheet.h"
#include "workbook/workbook.h"
#include "workbook/zip.h"

namespace tabulor {

// True for an archive whose mimetype entry names an OpenDocument spreadsheet.
bool IsOdsArchive(const TZipArchive& archive);
// The tables in order; with untilShown, only as far as the first that is not hidden, the rest of
// the document unread.
std::vector<TSheetEntry> ListOdsSheets(const TZipArchive& archive, bool untilShown = false);
// Throws EWorkbookFault: MissingSheet, naming sheetName, when no table has that name.
TSheet ReadOdsSheet(const TZipArchive& archive, std::string_view sheetName);

}  // namespace tabulor

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
std::vector<TSheetEntry> ListOdsSheets(const TZipArchive& archive);
// The sheet's name is one that ListOdsSheets gives. Throws EWorkbookFault.
TSheet ReadOdsSheet(const TZipArchive& archive, std::string_view sheetName);

}  // namespace tabulor

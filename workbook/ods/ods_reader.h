// An OpenDocument spreadsheet (.ods): its sheets from content.xml, and one sheet's cells with
// the text that its program displayed.
//
// It computes nothing: a cell shows what its program saved. A package protected by a password is
// refused as unsupported, not read.
#pragma once

#include <string_view>
#include <vector>

#include "workbook/sheet.h"
#include "workbook/sheet_entry.h"
#include "workbook/zip/zip_archive.h"

namespace tabulor::ods {

// True for an archive whose mimetype entry names an OpenDocument spreadsheet.
bool IsOdsArchive(const zip::TZipArchive& archive);
// The sheets in order.
std::vector<TSheetEntry> ListOdsSheets(const zip::TZipArchive& archive);
// For an empty name, the one FirstShownSheet picks. Throws EWorkbookFault:
// MissingSheet, naming sheetName, when no sheet has that name.
TSheet ReadOdsSheet(const zip::TZipArchive& archive, std::string_view sheetName);

}  // namespace tabulor::ods

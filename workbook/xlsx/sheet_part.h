// A worksheet part of an .xlsx streamed into a TSheet: each cell's stored value as the text the
// sheet shows, the merged areas, the hidden rows and columns.
//
// Nothing is computed: a formula shows its cached value or nothing. It does not finish the sheet
// (its size is checked by the caller's TSheet::Finish), nor read the strings or styles it is given.
#pragma once

#include <string>

#include "workbook/sheet.h"
#include "workbook/xlsx/cell_styles.h"
#include "workbook/xlsx/shared_strings.h"
#include "workbook/xml/xml_scanner.h"

namespace tabulor::xlsx {

// The part's cells and merges as a sheet of that name, not yet finished. Throws
// EWorkbookFault{Invalid} for bad XML or a reference past the grid.
TSheet ReadSheetPart(const xml::TPartOpener& open, const std::string& name, const TSharedStrings& strings,
                     const TCellStyles& styles);

}  // namespace tabulor::xlsx

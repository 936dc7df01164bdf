// One sheet of an .ods's content.xml (its table:table) streamed into a TSheet: the text each cell
// displayed, the merged areas, the hidden rows and columns.
//
// It builds no DOM and no repeat of an empty cell or row, and reads nothing after the sheet's end;
// it does not check the package (mimetype, encryption): ReadOdsSheet does.
#pragma once

#include <string_view>

#include "workbook/sheet.h"
#include "workbook/xml/xml_scanner.h"

namespace tabulor::ods {

// The first sheet of that name. Throws EWorkbookFault: Invalid for bad XML or text past the grid,
// MissingSheet when no sheet has the name, TooLarge from TSheet::Finish.
TSheet ReadSheetContent(const xml::TPartOpener& content, std::string_view sheetName);

}  // namespace tabulor::ods

// One table of an .ods's content.xml streamed into a TSheet: the text each cell displayed, and
// the merged areas.
//
// It builds no DOM and no repeat of an empty cell or row, and reads nothing after the table's end;
// it does not check the package (mimetype, encryption): ReadOdsSheet does.
#pragma once

#include <string_view>

#include "workbook/sheet.h"
#include "workbook/xml/xml_scanner.h"

namespace tabulor {

// The first table of that name. Throws EWorkbookFault: Invalid for bad XML or text past the grid,
// MissingSheet when no table has the name, TooLarge from TSheet::Finish.
TSheet ReadOdsTable(const xml::TPartOpener& content, std::string_view tableName);

}  // namespace tabulor

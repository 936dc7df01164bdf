// The workbook layer's face: what a source's first bytes say it is, a workbook's sheets, and one
// sheet read whole. Reads .xlsx, .xlsm and .ods from their bytes in memory; writes nothing.
//
// It depends on no unit of the text core; its faults are EWorkbookFault.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "workbook/sheet.h"

namespace tabulor {

enum class TSourceKind {
    Text,          // anything else
    Workbook,      // a zip archive: "PK\3\4"
    CompoundFile,  // D0 CF 11 E0 A1 B1 1A E1: an .xls, or a workbook protected by a password
};

// From the file's first bytes (eight are enough).
TSourceKind SourceKindOf(std::string_view firstBytes);

struct TSheetEntry {
    std::string Name;  // UTF-8
    bool Hidden = false;
};

// The sheets in the workbook's order; chart and dialog sheets are not sheets here. Throws
// EWorkbookFault (Invalid or Unsupported) for a file that is not a workbook it reads.
std::vector<TSheetEntry> ListSheets(std::string_view file);

// The sheet of that name (matched exactly), or for an empty name the first that is not hidden,
// or the first when all are. Throws EWorkbookFault.
TSheet ReadSheet(std::string_view file, std::string_view sheetName);

}  // namespace tabulor

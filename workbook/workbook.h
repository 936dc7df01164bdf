// The workbook layer's face: what a source's first bytes say it is, which extensions a workbook's
// name has, a workbook's sheets, and one sheet read whole. Reads .xlsx, .xlsm and .ods from their
// bytes in memory; writes nothing.
//
// It depends on no unit of the text core; its faults are EWorkbookFault.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "workbook/ascii_text.h"
#include "workbook/sheet.h"
#include "workbook/sheet_entry.h"

namespace tabulor {

enum class TSourceKind {
    Text,          // anything else
    Workbook,      // a zip archive: "PK\3\4"
    CompoundFile,  // D0 CF 11 E0 A1 B1 1A E1: an .xls, or a workbook protected by a password
};

// How many of a file's first bytes SourceKindOf looks at: its longest signature's.
inline constexpr std::size_t SignatureLength = 8;

// From the file's first SignatureLength bytes, or fewer when the file is shorter.
TSourceKind SourceKindOf(std::string_view firstBytes);

// Whether a file name's extension, its dot included, is a workbook's: .xlsx, .xlsm or .ods in any
// case. It tells a file that cannot be read yet. A build without workbooks answers alike, so it is
// defined here rather than by either build's readers.
inline bool IsWorkbookExtension(std::string_view extension)
{
    constexpr std::array<std::string_view, 3> extensions = {".xlsx", ".xlsm", ".ods"};
    return std::ranges::any_of(extensions, [extension](std::string_view known) {
        return EqualsIgnoringAsciiCase(extension, known);
    });
}

// The sheets in the workbook's order; chart and dialog sheets are not sheets here. Throws
// EWorkbookFault (Invalid or Unsupported) for a file that is not a workbook it reads.
std::vector<TSheetEntry> ListSheets(std::string_view file);

// The sheet of that name (matched exactly), or for an empty name the one FirstShownSheet picks.
// Throws EWorkbookFault.
TSheet ReadSheet(std::string_view file, std::string_view sheetName);

}  // namespace tabulor

// The package of an .xlsx as the relationships lay it out: which zip entries hold the sheets, the
// shared strings and the styles, and whether the workbook counts its dates from 1904.
//
// It opens none of those parts and reads no cell; a binary workbook is refused, not read.
#pragma once

#include <string>
#include <vector>

#include "workbook/zip/zip_archive.h"

namespace tabulor::xlsx {

struct TSheetPart {
    std::string Name;
    bool Hidden = false;
    std::string Part;  // the zip entry's name
};

// What the workbook part and its relationships say.
struct TWorkbookParts {
    std::vector<TSheetPart> Sheets;  // worksheets only, in order
    std::string SharedStrings;  // empty when there is none
    std::string Styles;
    bool Date1904 = false;
};

// Throws EWorkbookFault{Unsupported} for a binary workbook, {Invalid} for a broken package.
TWorkbookParts ReadWorkbookParts(const zip::TZipArchive& archive);

}  // namespace tabulor::xlsx

#include "workbook/xlsx_reader.h"

#include <algorithm>

#include "workbook/workbook_fault.h"
#include "workbook/xlsx_parts.h"

namespace tabulor {

std::vector<TSheetEntry> ListXlsxSheets(const TZipArchive& archive)
{
    std::vector<TSheetEntry> entries;
    for (xlsx::TSheetPart& sheet : xlsx::ReadWorkbookParts(archive).Sheets)
        entries.push_back({std::move(sheet.Name), sheet.Hidden});
    return entries;
}

TSheet ReadXlsxSheet(const TZipArchive& archive, std::string_view sheetName)
{
    const xlsx::TWorkbookParts parts = xlsx::ReadWorkbookParts(archive);
    const auto found = std::ranges::find(parts.Sheets, sheetName, &xlsx::TSheetPart::Name);
    if (found == parts.Sheets.end())
        throw EWorkbookFault(EWorkbookFault::MissingSheet, std::string(sheetName));
    // Either part may be missing when no cell needs it.
    xlsx::TSharedStrings strings;
    if (!parts.SharedStrings.empty() && archive.Has(parts.SharedStrings))
        strings = xlsx::TSharedStrings(*archive.Open(parts.SharedStrings));
    xlsx::TCellStyles styles(parts.Date1904);
    if (!parts.Styles.empty() && archive.Has(parts.Styles))
        styles = xlsx::TCellStyles(*archive.Open(parts.Styles), parts.Date1904);

    TSheet sheet(found->Name);
    if (!archive.Has(found->Part))
        throw EWorkbookFault(EWorkbookFault::Invalid);
    xlsx::ReadSheetPart(*archive.Open(found->Part), strings, styles, sheet);
    sheet.Finish();
    return sheet;
}

}  // namespace tabulor

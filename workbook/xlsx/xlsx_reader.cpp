#include "workbook/xlsx/xlsx_reader.h"

#include <algorithm>

#include "workbook/first_shown.h"
#include "workbook/workbook_fault.h"
#include "workbook/xlsx/cell_styles.h"
#include "workbook/xlsx/package.h"
#include "workbook/xlsx/shared_strings.h"
#include "workbook/xlsx/sheet_part.h"

namespace tabulor {

std::vector<TSheetEntry> ListXlsxSheets(const zip::TZipArchive& archive)
{
    std::vector<TSheetEntry> entries;
    for (xlsx::TSheetPart& sheet : xlsx::ReadWorkbookParts(archive).Sheets)
        entries.push_back({std::move(sheet.Name), sheet.Hidden});
    return entries;
}

TSheet ReadXlsxSheet(const zip::TZipArchive& archive, std::string_view sheetName)
{
    const xlsx::TWorkbookParts parts = xlsx::ReadWorkbookParts(archive);
    const xlsx::TSheetPart* found = nullptr;
    if (sheetName.empty()) {
        found = FirstShown(parts.Sheets);
        if (found == nullptr)
            ThrowInvalid();
    } else {
        const auto named = std::ranges::find(parts.Sheets, sheetName, &xlsx::TSheetPart::Name);
        if (named == parts.Sheets.end())
            throw EWorkbookFault(EWorkbookFault::MissingSheet, std::string(sheetName));
        found = &*named;
    }
    // Either part may be missing when no cell needs it; Has("") is false.
    xlsx::TSharedStrings strings;
    if (archive.Has(parts.SharedStrings))
        strings = xlsx::TSharedStrings([&] { return archive.Open(parts.SharedStrings); });
    xlsx::TCellStyles styles(parts.Date1904);
    if (archive.Has(parts.Styles))
        styles = xlsx::TCellStyles(*archive.Open(parts.Styles), parts.Date1904);

    TSheet sheet = xlsx::ReadSheetPart([&] { return archive.Open(found->Part); }, found->Name, strings, styles);
    sheet.Finish();
    return sheet;
}

}  // namespace tabulor

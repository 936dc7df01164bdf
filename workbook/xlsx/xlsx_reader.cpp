#include "workbook/xlsx/xlsx_reader.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "workbook/workbook_fault.h"
#include "workbook/xlsx/cell_styles.h"
#include "workbook/xlsx/package.h"
#include "workbook/xlsx/shared_strings.h"
#include "workbook/xlsx/sheet_part.h"

namespace tabulor::xlsx {

std::vector<TSheetEntry> ListXlsxSheets(const zip::TZipArchive& archive)
{
    std::vector<TSheetEntry> entries;
    for (TSheetPart& sheet : ReadWorkbookParts(archive).Sheets)
        entries.push_back({std::move(sheet.Name), sheet.Hidden});
    return entries;
}

TSheet ReadXlsxSheet(const zip::TZipArchive& archive, std::string_view sheetName)
{
    const TWorkbookParts parts = ReadWorkbookParts(archive);
    const TSheetPart* found = nullptr;
    if (sheetName.empty()) {
        const std::optional<std::size_t> first = FirstShownSheet(parts.Sheets);
        if (!first)
            ThrowInvalid();
        found = &parts.Sheets[*first];
    } else {
        const auto named = std::ranges::find(parts.Sheets, sheetName, &TSheetPart::Name);
        if (named == parts.Sheets.end())
            throw EWorkbookFault(EWorkbookFault::TKind::MissingSheet, std::string(sheetName));
        found = &*named;
    }
    // Either part may be missing when no cell needs it; Has("") is false.
    TSharedStrings strings;
    if (archive.Has(parts.SharedStrings))
        strings = TSharedStrings([&] { return archive.Open(parts.SharedStrings); });
    TCellStyles styles(parts.Date1904);
    if (archive.Has(parts.Styles))
        styles = TCellStyles(*archive.Open(parts.Styles), parts.Date1904);

    TSheet sheet = ReadSheetPart([&] { return archive.Open(found->Part); }, found->Name, strings, styles);
    sheet.Finish();
    return sheet;
}

}  // namespace tabulor::xlsx

#include "workbook/workbook.h"

#include "workbook/ods_reader.h"
#include "workbook/workbook_fault.h"
#include "workbook/xlsx_reader.h"
#include "workbook/zip.h"

namespace tabulor {

namespace {

constexpr std::string_view ZipSignature = "PK\x03\x04";
constexpr std::string_view CompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

// A workbook's archive and which of the two families it belongs to.
struct TOpenedWorkbook {
    TZipArchive Archive;
    bool Ods;
};

TOpenedWorkbook OpenWorkbook(std::string_view file)
{
    if (SourceKindOf(file) == TSourceKind::CompoundFile)
        throw EWorkbookFault(EWorkbookFault::Unsupported);
    TZipArchive archive(file);
    const bool ods = IsOdsArchive(archive);
    if (!ods && !archive.Has("_rels/.rels"))
        throw EWorkbookFault(EWorkbookFault::Invalid);
    return {std::move(archive), ods};
}

// For no name, the first sheet that is not hidden, else the first.
std::string ChooseSheet(const TOpenedWorkbook& workbook)
{
    // The list of an .ods stops at the first table shown: its rows need not be walked twice.
    const std::vector<TSheetEntry> sheets =
        workbook.Ods ? ListOdsSheets(workbook.Archive, true) : ListXlsxSheets(workbook.Archive);
    if (sheets.empty())
        throw EWorkbookFault(EWorkbookFault::Invalid);
    for (const TSheetEntry& sheet : sheets) {
        if (!sheet.Hidden)
            return sheet.Name;
    }
    return sheets.front().Name;
}

}  // namespace

TSourceKind SourceKindOf(std::string_view firstBytes)
{
    if (firstBytes.starts_with(ZipSignature))
        return TSourceKind::Workbook;
    if (firstBytes.starts_with(CompoundFileSignature))
        return TSourceKind::CompoundFile;
    return TSourceKind::Text;
}

std::vector<TSheetEntry> ListSheets(std::string_view file)
{
    const TOpenedWorkbook workbook = OpenWorkbook(file);
    return workbook.Ods ? ListOdsSheets(workbook.Archive) : ListXlsxSheets(workbook.Archive);
}

// A name goes to the reader directly, which reports MissingSheet itself.
TSheet ReadSheet(std::string_view file, std::string_view sheetName)
{
    const TOpenedWorkbook workbook = OpenWorkbook(file);
    const std::string name = sheetName.empty() ? ChooseSheet(workbook) : std::string(sheetName);
    return workbook.Ods ? ReadOdsSheet(workbook.Archive, name) : ReadXlsxSheet(workbook.Archive, name);
}

}  // namespace tabulor

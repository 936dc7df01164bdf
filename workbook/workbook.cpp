#include "workbook/workbook.h"

#include <algorithm>

#include "workbook/ods/ods_reader.h"
#include "workbook/workbook_fault.h"
#include "workbook/xlsx/xlsx_reader.h"
#include "workbook/zip/zip_archive.h"

namespace tabulor {

namespace {

constexpr std::string_view ZipSignature = "PK\x03\x04";
constexpr std::string_view CompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
static_assert(std::max(ZipSignature.size(), CompoundFileSignature.size()) == SignatureLength);

// A workbook's archive and which of the two families it belongs to.
struct TOpenedWorkbook {
    zip::TZipArchive Archive;
    bool Ods;
};

TOpenedWorkbook OpenWorkbook(std::string_view file)
{
    if (SourceKindOf(file) == TSourceKind::CompoundFile)
        throw EWorkbookFault(EWorkbookFault::TKind::Unsupported);
    zip::TZipArchive archive(file);
    const bool ods = ods::IsOdsArchive(archive);
    if (!ods && !archive.Has("_rels/.rels"))
        ThrowInvalid();
    return {std::move(archive), ods};
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
    return workbook.Ods ? ods::ListOdsSheets(workbook.Archive) : xlsx::ListXlsxSheets(workbook.Archive);
}

// The reader picks the sheet for an empty name, and reports MissingSheet itself.
TSheet ReadSheet(std::string_view file, std::string_view sheetName)
{
    const TOpenedWorkbook workbook = OpenWorkbook(file);
    return workbook.Ods ? ods::ReadOdsSheet(workbook.Archive, sheetName)
                        : xlsx::ReadXlsxSheet(workbook.Archive, sheetName);
}

}  // namespace tabulor

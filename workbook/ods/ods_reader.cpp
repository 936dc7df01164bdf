#include "workbook/ods/ods_reader.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "workbook/ods/opendocument_names.h"
#include "workbook/ods/sheet_content.h"
#include "workbook/workbook_fault.h"
#include "workbook/xml/skipping_reader.h"

namespace tabulor::ods {
namespace {

constexpr std::string_view ManifestNamespace = "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0";

// Finds manifest:encryption-data anywhere in the manifest.
class TEncryptionFinder final : public xml::TXmlHandler {
public:
    void StartElement(const xml::TXmlName& name, std::span<const xml::TXmlAttribute>) override
    {
        Encrypted = Encrypted || Is(name, ManifestNamespace, "encryption-data");
    }
    void EndElement(const xml::TXmlName&) override {}
    void Characters(std::string_view) override {}

    bool Encrypted = false;
};

// A package protected by a password keeps its parts encrypted: they cannot be read.
void CheckNotEncrypted(const zip::TZipArchive& archive)
{
    constexpr std::string_view manifest = "META-INF/manifest.xml";
    if (!archive.Has(manifest))
        return;
    const std::unique_ptr<TByteReader> input = archive.Open(manifest);
    TEncryptionFinder finder;
    xml::ParseXml(*input, finder);
    if (finder.Encrypted)
        throw EWorkbookFault(EWorkbookFault::TKind::Unsupported);
}

// The sheets in order, hidden when their automatic style says table:display="false". The
// automatic styles come before the body; each sheet's rows are left unread.
class TSheetLister final : public xml::TSkippingHandler {
public:
    explicit TSheetLister(bool untilShown) : UntilShown(untilShown) {}

    struct TShownFound {};  // thrown at the first sheet shown when that is all that is asked

    std::vector<TSheetEntry> Sheets;

private:
    void Start(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes) override
    {
        if (StyleDepth != 0) {
            if (Is(name, StyleNamespace, "table-properties")) {
                const xml::TXmlAttribute* display = xml::FindAttribute(attributes, TableNamespace, "display");
                if (display != nullptr && display->Value == "false")
                    HiddenStyles.push_back(StyleName);
            }
            SkipElement();
        } else if (InAutomaticStyles != 0) {
            const xml::TXmlAttribute* family = xml::FindAttribute(attributes, StyleNamespace, "family");
            const xml::TXmlAttribute* styleName = xml::FindAttribute(attributes, StyleNamespace, "name");
            if (Is(name, StyleNamespace, "style") && family != nullptr && family->Value == "table" &&
                styleName != nullptr) {
                StyleDepth = Depth;
                StyleName.assign(styleName->Value);
            } else {
                SkipElement();
            }
        } else if (Is(name, TableNamespace, "table")) {
            AddSheet(attributes);
            if (UntilShown && !Sheets.back().Hidden)
                throw TShownFound{};
            SkipElement();
        } else if (Is(name, OfficeNamespace, "automatic-styles")) {
            InAutomaticStyles = Depth;
        } else if (!IsOnPathToSheets(name)) {
            SkipElement();
        }
    }

    void End(const xml::TXmlName&) override
    {
        if (Depth == StyleDepth)
            StyleDepth = 0;
        else if (Depth == InAutomaticStyles)
            InAutomaticStyles = 0;
    }

    void AddSheet(std::span<const xml::TXmlAttribute> attributes)
    {
        const xml::TXmlAttribute* name = xml::FindAttribute(attributes, TableNamespace, "name");
        const xml::TXmlAttribute* style = xml::FindAttribute(attributes, TableNamespace, "style-name");
        TSheetEntry& sheet = Sheets.emplace_back();
        if (name != nullptr)
            sheet.Name.assign(name->Value);
        sheet.Hidden = style != nullptr && std::find(HiddenStyles.begin(), HiddenStyles.end(),
                                                     style->Value) != HiddenStyles.end();
    }

    bool UntilShown;
    std::uint32_t InAutomaticStyles = 0;  // its depth, 0 outside
    std::uint32_t StyleDepth = 0;         // a sheet style's (family "table"), 0 outside
    std::string StyleName;
    std::vector<std::string> HiddenStyles;
};

// The sheets as ListOdsSheets gives them, the manifest left to the caller; with untilShown, only
// as far as the first that is not hidden, the rest of the document unread.
std::vector<TSheetEntry> ReadSheetList(const zip::TZipArchive& archive, bool untilShown)
{
    const std::unique_ptr<TByteReader> content = archive.Open("content.xml");
    TSheetLister lister(untilShown);
    try {
        xml::ParseXml(*content, lister);
    } catch (const TSheetLister::TShownFound&) {
    }
    return std::move(lister.Sheets);
}

}  // namespace

bool IsOdsArchive(const zip::TZipArchive& archive)
{
    // The declared size first: a mimetype entry of gigabytes is not inflated to compare 46 bytes.
    constexpr std::string_view mimetype = "application/vnd.oasis.opendocument.spreadsheet";
    return archive.SizeOf("mimetype") == mimetype.size() && archive.ReadWhole("mimetype") == mimetype;
}

std::vector<TSheetEntry> ListOdsSheets(const zip::TZipArchive& archive)
{
    CheckNotEncrypted(archive);
    return ReadSheetList(archive, false);
}

TSheet ReadOdsSheet(const zip::TZipArchive& archive, std::string_view sheetName)
{
    CheckNotEncrypted(archive);
    std::string chosen;
    if (sheetName.empty()) {
        // The list stops at the first sheet shown: its rows are walked once, by the reader.
        const std::vector<TSheetEntry> sheets = ReadSheetList(archive, true);
        const std::optional<std::size_t> first = FirstShownSheet(sheets);
        if (!first)
            ThrowInvalid();
        chosen = sheets[*first].Name;
        sheetName = chosen;
    }
    return ReadSheetContent([&] { return archive.Open("content.xml"); }, sheetName);
}

}  // namespace tabulor::ods

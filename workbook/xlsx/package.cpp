#include "workbook/xlsx/package.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "workbook/ascii_text.h"
#include "workbook/workbook_fault.h"
#include "workbook/xlsx/compatible_reader.h"
#include "workbook/xlsx/main_namespace.h"
#include "workbook/xml/xml_reader.h"

namespace tabulor::xlsx {

namespace {

constexpr std::string_view PackageRelationshipsNamespace =
    "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr std::string_view ContentTypesNamespace =
    "http://schemas.openxmlformats.org/package/2006/content-types";
constexpr std::string_view BinaryWorkbookType = "application/vnd.ms-excel.sheet.binary.macroEnabled.main";
// The relationship namespaces, transitional and Strict: relationship types are these plus "/"
// and a kind, and r:id attributes are in them.
constexpr std::string_view RelationshipNamespaces[] = {
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "http://purl.oclc.org/ooxml/officeDocument/relationships",
};

bool IsRelationshipType(std::string_view type, std::string_view kind)
{
    return std::ranges::any_of(RelationshipNamespaces, [&](std::string_view root) {
        return type.size() == root.size() + 1 + kind.size() && type.starts_with(root)
            && type[root.size()] == '/' && type.ends_with(kind);
    });
}

std::string_view ValueOf(std::span<const xml::TXmlAttribute> attributes, std::string_view local,
                         std::string_view nameSpace = {})
{
    const xml::TXmlAttribute* attribute = xml::FindAttribute(attributes, nameSpace, local);
    return attribute ? attribute->Value : std::string_view();
}

// Calls back for each element that starts: enough for the parts read as flat lists.
class TStartHandler : public TCompatibleHandler {
public:
    using TCallback = std::function<void(const xml::TXmlName&, std::span<const xml::TXmlAttribute>)>;
    explicit TStartHandler(TCallback callback) : Callback(std::move(callback)) {}

private:
    void OnStart(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes) override
    {
        Callback(name, attributes);
    }
    void OnEnd(const xml::TXmlName&) override {}
    void OnText(std::string_view) override {}
    TCallback Callback;
};

// Parses a part through the handler; a missing part is a fault of the file, as Open reports it.
void ParsePart(const zip::TZipArchive& archive, std::string_view part, xml::TXmlHandler& handler)
{
    const std::unique_ptr<TByteReader> reader = archive.Open(part);
    xml::ParseXml(*reader, handler);
}

std::string_view FolderOf(std::string_view part)
{
    const std::size_t slash = part.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : part.substr(0, slash + 1);
}

// Targets are URIs: "%20" and the like stand for their byte.
std::string DecodePercents(std::string_view target)
{
    std::string decoded;
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (target[i] == '%' && i + 2 < target.size() && HexDigit(target[i + 1]) >= 0
            && HexDigit(target[i + 2]) >= 0) {
            decoded += static_cast<char>(HexDigit(target[i + 1]) * 16 + HexDigit(target[i + 2]));
            i += 2;
        } else {
            decoded += target[i];
        }
    }
    return decoded;
}

// The zip entry a target names: from the source part's folder, or from the package's root when
// it starts with '/'; "." and ".." resolved.
std::string ResolveTarget(std::string_view sourceFolder, std::string_view target)
{
    const std::string path = target.starts_with('/') ? DecodePercents(target)
                                                     : std::string(sourceFolder) + DecodePercents(target);
    std::vector<std::string_view> segments;
    for (std::size_t at = 0; at <= path.size();) {
        const std::size_t end = std::min(path.find('/', at), path.size());
        const std::string_view segment = std::string_view(path).substr(at, end - at);
        if (segment == "..") {
            if (segments.empty())
                ThrowInvalid();
            segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        at = end + 1;
    }
    std::string resolved;
    for (const std::string_view segment : segments)
        resolved.append(resolved.empty() ? "" : "/").append(segment);
    return resolved;
}

struct TRelationship {
    std::string Id;
    std::string Type;
    std::string Part;
};

// The part's relationships with their targets resolved; none when it has no relationships part.
std::vector<TRelationship> ReadRelationships(const zip::TZipArchive& archive, std::string_view part)
{
    const std::string_view folder = FolderOf(part);
    const std::string relationshipsPart =
        std::string(folder) + "_rels/" + std::string(part.substr(folder.size())) + ".rels";
    std::vector<TRelationship> relationships;
    if (!archive.Has(relationshipsPart))
        return relationships;
    TStartHandler handler([&](const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes) {
        if (name.Namespace != PackageRelationshipsNamespace || name.Local != "Relationship"
            || ValueOf(attributes, "TargetMode") == "External")
            return;
        relationships.push_back({std::string(ValueOf(attributes, "Id")),
                                 std::string(ValueOf(attributes, "Type")),
                                 ResolveTarget(folder, ValueOf(attributes, "Target"))});
    });
    ParsePart(archive, relationshipsPart, handler);
    return relationships;
}

const TRelationship* FindOfType(const std::vector<TRelationship>& relationships, std::string_view kind)
{
    const auto found = std::ranges::find_if(
        relationships, [&](const TRelationship& r) { return IsRelationshipType(r.Type, kind); });
    return found == relationships.end() ? nullptr : &*found;
}

// Whether [Content_Types].xml calls the part a binary workbook, by its own name or its extension.
bool HasBinaryContentType(const zip::TZipArchive& archive, std::string_view part)
{
    if (!archive.Has("[Content_Types].xml"))
        return false;
    const std::string_view extension = part.substr(part.rfind('.') + 1);
    std::string byName;
    std::string byExtension;
    TStartHandler handler([&](const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes) {
        if (name.Namespace != ContentTypesNamespace)
            return;
        const std::string_view partName = ValueOf(attributes, "PartName");
        if (name.Local == "Override" && partName.starts_with('/')
            && EqualsIgnoringAsciiCase(partName.substr(1), part))
            byName = ValueOf(attributes, "ContentType");
        else if (name.Local == "Default" && EqualsIgnoringAsciiCase(ValueOf(attributes, "Extension"), extension))
            byExtension = ValueOf(attributes, "ContentType");
    });
    ParsePart(archive, "[Content_Types].xml", handler);
    return (byName.empty() ? byExtension : byName) == BinaryWorkbookType;
}

std::string_view RelationshipIdOf(std::span<const xml::TXmlAttribute> attributes)
{
    for (const std::string_view nameSpace : RelationshipNamespaces)
        if (const xml::TXmlAttribute* id = xml::FindAttribute(attributes, nameSpace, "id"))
            return id->Value;
    return {};
}

}  // namespace

TWorkbookParts ReadWorkbookParts(const zip::TZipArchive& archive)
{
    const std::vector<TRelationship> root = ReadRelationships(archive, "");
    const TRelationship* document = FindOfType(root, "officeDocument");
    if (!document)
        ThrowInvalid();
    const std::string& workbook = document->Part;
    if (workbook.size() >= 4 && EqualsIgnoringAsciiCase(workbook.substr(workbook.size() - 4), ".bin"))
        throw EWorkbookFault(EWorkbookFault::TKind::Unsupported);
    if (HasBinaryContentType(archive, workbook))
        throw EWorkbookFault(EWorkbookFault::TKind::Unsupported);

    const std::vector<TRelationship> relationships = ReadRelationships(archive, workbook);
    TWorkbookParts parts;
    TStartHandler handler([&](const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes) {
        if (IsMainElement(name, "workbookPr")) {
            const std::string_view date1904 = ValueOf(attributes, "date1904");
            parts.Date1904 = date1904 == "1" || date1904 == "true";
        } else if (IsMainElement(name, "sheet")) {
            const std::string_view id = RelationshipIdOf(attributes);
            const auto target = std::ranges::find(relationships, id, &TRelationship::Id);
            if (id.empty() || target == relationships.end())
                ThrowInvalid();
            // Chart, dialog and macro sheets hold no table.
            if (!IsRelationshipType(target->Type, "worksheet"))
                return;
            const std::string_view state = ValueOf(attributes, "state");
            parts.Sheets.push_back({std::string(ValueOf(attributes, "name")),
                                    state == "hidden" || state == "veryHidden", target->Part});
        }
    });
    ParsePart(archive, workbook, handler);
    if (const TRelationship* strings = FindOfType(relationships, "sharedStrings"))
        parts.SharedStrings = strings->Part;
    if (const TRelationship* styles = FindOfType(relationships, "styles"))
        parts.Styles = styles->Part;
    return parts;
}

}  // namespace tabulor::xlsx

// What the .ods readers share inside the workbook layer: the OpenDocument namespaces, a repeat
// count read from an attribute, and the elements on the path to the tables.
//
// It knows nothing of cells or styles; each reader walks content.xml as a TSkippingHandler and
// decides what to skip and what to keep.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "workbook/xml/xml_reader.h"

namespace tabulor::ods {

inline constexpr std::string_view OfficeNamespace = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
inline constexpr std::string_view TableNamespace = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
inline constexpr std::string_view TextNamespace = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
inline constexpr std::string_view StyleNamespace = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
inline constexpr std::string_view DrawNamespace = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0";

// The local name first: it differs far more often than the namespace.
inline bool Is(const xml::TXmlName& name, std::string_view nameSpace, std::string_view local)
{
    return name.Local == local && name.Namespace == nameSpace;
}

// A repeat or span count: at least 1, and capped far past the grid so that sums of counts cannot
// overflow; a value that is not a count, or none, is 1.
inline std::uint64_t ReadCount(const xml::TXmlAttribute* attribute)
{
    if (attribute == nullptr)
        return 1;
    constexpr std::uint64_t cap = std::uint64_t{1} << 32;
    std::uint64_t count = 0;
    for (char c : attribute->Value) {
        if (c < '0' || c > '9')
            return 1;
        count = count * 10 + static_cast<std::uint64_t>(c - '0');
        if (count > cap)
            count = cap;
    }
    return count == 0 ? 1 : count;
}

inline std::uint64_t ReadCount(std::span<const xml::TXmlAttribute> attributes, std::string_view nameSpace,
                               std::string_view local)
{
    return ReadCount(xml::FindAttribute(attributes, nameSpace, local));
}

// The elements that lead from the document to its tables: office:document-content, office:body,
// office:spreadsheet. A table:table met on that path is a sheet.
inline bool IsOnPathToTables(const xml::TXmlName& name)
{
    return name.Namespace == OfficeNamespace &&
           (name.Local == "document-content" || name.Local == "body" || name.Local == "spreadsheet");
}

}  // namespace tabulor::ods

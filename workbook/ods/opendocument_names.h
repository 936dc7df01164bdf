// The OpenDocument namespaces the .ods readers compare names against, and the elements on the
// path from content.xml's root to its sheets.
//
// It knows nothing of cells or styles; each reader walks content.xml as a skipping reader and
// decides what to skip and what to keep.
#pragma once

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

// The elements that lead from the document to its sheets: office:document-content, office:body,
// office:spreadsheet. A table:table met on that path is a sheet.
inline bool IsOnPathToSheets(const xml::TXmlName& name)
{
    return name.Namespace == OfficeNamespace &&
           (name.Local == "document-content" || name.Local == "body" || name.Local == "spreadsheet");
}

}  // namespace tabulor::ods

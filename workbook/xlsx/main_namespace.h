// The spreadsheetml namespaces, transitional and Strict, and the test of an element's name
// against them: what every part of an .xlsx that holds cells, strings or styles is written in.
//
// It holds no other namespace: the package's relationships and content types are package.cpp's,
// markup compatibility is compatible_reader.h's.
#pragma once

#include <string_view>

#include "workbook/xml/xml_reader.h"

namespace tabulor::xlsx {

inline constexpr std::string_view MainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr std::string_view StrictMainNamespace = "http://purl.oclc.org/ooxml/spreadsheetml/main";

// Transitional or Strict spreadsheetml: both name the same elements.
inline bool IsMain(std::string_view nameSpace)
{
    return nameSpace == MainNamespace || nameSpace == StrictMainNamespace;
}

inline bool IsMainElement(const xml::TXmlName& name, std::string_view local)
{
    return name.Local == local && IsMain(name.Namespace);
}

}  // namespace tabulor::xlsx

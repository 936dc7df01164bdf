// One small interface over the platform's XML parser (expat on Linux, XmlLite on Windows):
// elements by namespace and local name, never by prefix, attributes likewise, and character data
// in UTF-8. A document with a DTD is refused: no entity is expanded and nothing is fetched.
#pragma once

#include <span>
#include <string_view>

#include "workbook/byte_reader.h"

namespace tabulor::xml {

struct TXmlName {
    std::string_view Namespace;  // empty for none
    std::string_view Local;
};

// A prefix-less attribute has no namespace, whatever the default one; xml:space has the XML
// namespace. The value is normalized as XML says: references replaced, and each literal tab,
// line feed, carriage return or CR LF pair one space (a reference to one keeps its character).
struct TXmlAttribute {
    TXmlName Name;
    std::string_view Value;
};

class TXmlHandler {
public:
    virtual ~TXmlHandler() = default;
    // Namespace declarations are not among the attributes, the others come in document order.
    // An empty element <a/> gives StartElement then EndElement.
    virtual void StartElement(const TXmlName& name, std::span<const TXmlAttribute> attributes) = 0;
    virtual void EndElement(const TXmlName& name) = 0;
    // Character data inside the root element, whitespace between elements included, possibly in
    // several pieces split anywhere between characters: references replaced, CDATA sections'
    // content as it stands, line ends (CR LF, CR) as "\n". Comments, processing instructions and
    // the XML declaration give nothing.
    virtual void Characters(std::string_view text) = 0;
};

// Reads the document whole, calling the handler as it goes; the views live until the call
// returns. Throws EWorkbookFault{Invalid} for malformed XML or a DTD; an exception from the
// handler stops the parse, no other call reaches the handler, and it comes out unchanged.
void ParseXml(TByteReader& input, TXmlHandler& handler);

// The value of the attribute of that namespace and local name, or none.
const TXmlAttribute* FindAttribute(std::span<const TXmlAttribute> attributes,
                                   std::string_view nameSpace, std::string_view local);

}  // namespace tabulor::xml

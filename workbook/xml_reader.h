// One small interface over the platform's XML parser (expat on Linux, XmlLite on Windows):
// elements by namespace and local name, never by prefix, attributes likewise, and character data
// in UTF-8. A document with a DTD is refused: no entity is expanded and nothing is fetched.
#pragma once

#include <span>
#include <string_view>

#include "workbook/byte_reader.h"

namespace tabulor {

struct TXmlName {
    std::string_view Namespace;  // empty for none
    std::string_view Local;
};

struct TXmlAttribute {
    TXmlName Name;
    std::string_view Value;
};

class TXmlHandler {
public:
    virtual ~TXmlHandler() = default;
    // Namespace declarations are not among the attributes.
    virtual void StartElement(const TXmlName& name, std::span<const TXmlAttribute> attributes) = 0;
    virtual void EndElement(const TXmlName& name) = 0;
    // Character data, whitespace included, possibly in several pieces.
    virtual void Characters(std::string_view text) = 0;
};

// Reads the document whole, calling the handler as it goes; the views live until the call
// returns. Throws EWorkbookFault{Invalid} for malformed XML or a DTD; an exception from the
// handler stops the parse and comes out unchanged.
void ParseXml(TByteReader& input, TXmlHandler& handler);

// The value of the attribute of that namespace and local name, or none.
const TXmlAttribute* FindAttribute(std::span<const TXmlAttribute> attributes,
                                   std::string_view nameSpace, std::string_view local);

}  // namespace tabulor

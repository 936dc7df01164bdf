#include "workbook/xml/xml_reader.h"

namespace tabulor::xml {

const TXmlAttribute* FindAttribute(std::span<const TXmlAttribute> attributes,
                                   std::string_view nameSpace, std::string_view local)
{
    for (const TXmlAttribute& attribute : attributes) {
        if (attribute.Name.Local == local && attribute.Name.Namespace == nameSpace)
            return &attribute;
    }
    return nullptr;
}

}  // namespace tabulor::xml

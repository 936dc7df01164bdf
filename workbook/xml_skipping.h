// A TXmlHandler that can leave the element that just started unread, down to its end, by depth
// alone: the names inside it are never compared.
//
// It decides nothing about what to skip; the reader that derives from it does.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "workbook/xml_reader.h"

namespace tabulor {

class TSkippingHandler : public TXmlHandler {
public:
    void StartElement(const TXmlName& name, std::span<const TXmlAttribute> attributes) final
    {
        ++Depth;
        if (SkipDepth == 0)
            Start(name, attributes);
    }
    void EndElement(const TXmlName& name) final
    {
        if (SkipDepth == 0)
            End(name);
        else if (SkipDepth == Depth)
            SkipDepth = 0;
        --Depth;
    }
    void Characters(std::string_view text) final
    {
        if (SkipDepth == 0)
            Text(text);
    }

protected:
    virtual void Start(const TXmlName& name, std::span<const TXmlAttribute> attributes) = 0;
    // The element at Depth ends.
    virtual void End(const TXmlName& name) = 0;
    virtual void Text(std::string_view) {}
    void SkipElement() { SkipDepth = Depth; }

    std::uint32_t Depth = 0;

private:
    std::uint32_t SkipDepth = 0;
};

}  // namespace tabulor

// A TXmlHandler that can leave the element that just started unread, down to its end, by depth
// alone: the names inside it are never compared.
//
// It decides nothing about what to skip; the reader that derives from it does.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "workbook/xml/xml_reader.h"

namespace tabulor::xml {

// The reader's Start(name, attributes), End(name) (the element at Depth ends) and Text(text)
// are called directly, with no virtual call of their own: the readers of the cells' parts take
// several events per cell.
template <typename TReader>
class TSkippingReader : public TXmlHandler {
public:
    void StartElement(const TXmlName& name, std::span<const TXmlAttribute> attributes) final
    {
        ++Depth;
        if (SkipDepth == 0)
            Self().Start(name, attributes);
    }
    void EndElement(const TXmlName& name) final
    {
        if (SkipDepth == 0)
            Self().End(name);
        else if (SkipDepth == Depth)
            SkipDepth = 0;
        --Depth;
    }
    void Characters(std::string_view text) final
    {
        if (SkipDepth == 0)
            Self().Text(text);
    }

protected:
    void SkipElement() { SkipDepth = Depth; }

    std::uint32_t Depth = 0;

private:
    TReader& Self() { return static_cast<TReader&>(*this); }

    std::uint32_t SkipDepth = 0;
};

// The same for a reader that overrides virtual functions.
class TSkippingHandler : public TSkippingReader<TSkippingHandler> {
protected:
    virtual void Start(const TXmlName& name, std::span<const TXmlAttribute> attributes) = 0;
    virtual void End(const TXmlName& name) = 0;
    virtual void Text(std::string_view) {}

private:
    friend class TSkippingReader<TSkippingHandler>;
};

}  // namespace tabulor::xml

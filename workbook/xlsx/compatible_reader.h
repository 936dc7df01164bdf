// Markup-compatibility blocks read as a program that knows no extension reads them, for every
// reader of an .xlsx part.
//
// It does not honour mc:Ignorable or mc:ProcessContent: an element of an unknown namespace is
// handed on like any other, and the reader leaves what it does not know.
#pragma once

#include <span>
#include <string_view>

#include "workbook/xml/skipping_reader.h"
#include "workbook/xml/xml_reader.h"

namespace tabulor::xlsx {

inline constexpr std::string_view McNamespace = "http://schemas.openxmlformats.org/markup-compatibility/2006";

// Through mc:Fallback, with every mc:Choice left out. TReader's OnStart, OnEnd and OnText see
// the other events only, each called directly.
template <typename TReader>
class TCompatibleReader : public xml::TSkippingReader<TCompatibleReader<TReader>> {
private:
    friend class xml::TSkippingReader<TCompatibleReader<TReader>>;
    TReader& Self() { return static_cast<TReader&>(*this); }
    void Start(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes)
    {
        if (name.Namespace != McNamespace)
            Self().OnStart(name, attributes);
        else if (name.Local == "Choice")
            this->SkipElement();
    }
    void End(const xml::TXmlName& name)
    {
        if (name.Namespace != McNamespace)
            Self().OnEnd(name);
    }
    void Text(std::string_view text) { Self().OnText(text); }
};

// The same for a reader that overrides virtual functions.
class TCompatibleHandler : public TCompatibleReader<TCompatibleHandler> {
protected:
    virtual void OnStart(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes) = 0;
    virtual void OnEnd(const xml::TXmlName& name) = 0;
    virtual void OnText(std::string_view text) = 0;

private:
    friend class TCompatibleReader<TCompatibleHandler>;
};

}  // namespace tabulor::xlsx

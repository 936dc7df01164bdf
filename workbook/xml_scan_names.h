// The scanner's namespaces and open elements: the prefixes each element declares, in force until
// its end, and each open element's name as the start tag spelled it, which its end tag must repeat.
//
// It reads no bytes and checks no syntax: the scanner hands it names already split. What the
// namespace rules forbid (an unbound prefix, a reserved one declared, an empty prefixed URI) it
// leaves to the platform's parser by throwing TXmlUnusual.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/xml_reader.h"

namespace tabulor {

// A name as written: "prefix:local", or "local" with an empty prefix.
struct TQName {
    std::string_view Prefix;
    std::string_view Local;
};

class TXmlNamespaces {
public:
    TXmlNamespaces();

    // The namespace declarations of the start tag being read, before Open.
    void Declare(std::string_view prefix, std::string_view uri);
    // Pushes the element of that raw name, the start tag's declarations in force until Close,
    // and gives its name.
    TXmlName Open(std::string_view raw, const TQName& name);
    // A prefixed attribute's namespace, after Open; an unprefixed attribute has none.
    std::string_view AttributeNamespace(std::string_view prefix);
    // Checks the end tag's name against the innermost open element's and gives that element's
    // name; Close then pops it and its declarations.
    TXmlName Closing(std::string_view raw) const;
    void Close();
    std::size_t Depth() const { return Elements.size(); }

private:
    struct TBinding {
        std::string Prefix;  // empty for the default namespace
        std::string Uri;     // empty where a default namespace is undone
    };
    struct TElement {
        std::uint32_t NameEnd;       // in Names
        std::uint32_t LocalOffset;   // from the start of the raw name
        std::uint32_t BindingCount;  // in force before the element's own declarations
        std::int32_t Binding;        // of its namespace, -1 for none
    };

    std::int32_t Find(std::string_view prefix);
    std::string_view UriOf(std::int32_t binding) const;

    std::vector<TBinding> Bindings;
    std::uint32_t Declared = 0;  // bindings pushed by the start tag being read
    std::vector<TElement> Elements;
    std::string Names;  // the open elements' raw names, one after another
    // The binding last found for a prefix, by a hash of it; cleared whenever a binding goes.
    std::array<std::int32_t, 64> Cache;
};

}  // namespace tabulor

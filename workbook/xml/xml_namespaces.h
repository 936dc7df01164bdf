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

#include "workbook/xml/xml_reader.h"
#include "workbook/xml/xml_scanner_chars.h"
#include "workbook/xml/xml_unusual.h"

namespace tabulor::xml {

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
    TXmlName Open(std::string_view raw, const TQName& name)
    {
        // As deep as the platform's parsers read.
        if (Elements.size() == 1024)
            throw TXmlUnusual{};
        const std::int32_t binding = Find(name.Prefix);
        Names.append(raw);
        Elements.push_back({static_cast<std::uint32_t>(Names.size()),
                            static_cast<std::uint32_t>(raw.size() - name.Local.size()),
                            static_cast<std::uint32_t>(Bindings.size() - Declared), binding});
        Declared = 0;
        return {UriOf(binding), name.Local};
    }

    // A prefixed attribute's namespace, after Open; an unprefixed attribute has none.
    std::string_view AttributeNamespace(std::string_view prefix)
    {
        return prefix.empty() ? std::string_view() : UriOf(Find(prefix));
    }

    // The innermost open element's name as its start tag spelled it, which its end tag repeats.
    std::string_view InnermostRaw() const
    {
        if (Elements.empty())
            throw TXmlUnusual{};
        const std::size_t begin = Elements.size() == 1 ? 0 : Elements[Elements.size() - 2].NameEnd;
        return {Names.data() + begin, Elements.back().NameEnd - begin};
    }

    // The innermost open element's name, from its raw name; Close then pops it and its
    // declarations.
    TXmlName Innermost(std::string_view raw) const
    {
        return {UriOf(Elements.back().Binding), raw.substr(Elements.back().LocalOffset)};
    }

    void Close()
    {
        const std::uint32_t bindings = Elements.back().BindingCount;
        Elements.pop_back();
        Names.resize(Elements.empty() ? 0 : Elements.back().NameEnd);
        if (Bindings.size() != bindings)
            Forget(bindings);
    }

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
    static constexpr std::int32_t NoBinding = -1;
    static constexpr std::int32_t Unknown = -2;

    static std::size_t HashOf(std::string_view prefix)
    {
        return (prefix.size() * 7 + static_cast<unsigned char>(prefix.front()) * 3
                + static_cast<unsigned char>(prefix.back())) % 64;
    }

    std::int32_t Find(std::string_view prefix)
    {
        if (prefix.empty())
            return Default;
        const std::int32_t cached = Cache[HashOf(prefix)];
        if (cached >= 0 && SameText(Bindings[static_cast<std::size_t>(cached)].Prefix, prefix))
            return cached;
        return Search(prefix);
    }

    std::string_view UriOf(std::int32_t binding) const
    {
        return binding < 0 ? std::string_view() : std::string_view(Bindings[static_cast<std::size_t>(binding)].Uri);
    }

    std::int32_t Search(std::string_view prefix);
    // Pops the bindings past count.
    void Forget(std::size_t count);

    std::vector<TBinding> Bindings;
    std::uint32_t Declared = 0;  // bindings pushed by the start tag being read
    std::int32_t Default = NoBinding;
    std::vector<TElement> Elements;
    std::string Names;  // the open elements' raw names, one after another
    // The binding last found for a prefix, by a hash of it; cleared whenever a binding comes or goes.
    std::array<std::int32_t, 64> Cache;
};

}  // namespace tabulor::xml

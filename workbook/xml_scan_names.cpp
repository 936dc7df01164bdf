#include "workbook/xml_scan_names.h"

#include "workbook/xml_scanner.h"

namespace tabulor {

namespace {

constexpr std::string_view XmlNamespace = "http://www.w3.org/XML/1998/namespace";
constexpr std::string_view XmlnsNamespace = "http://www.w3.org/2000/xmlns/";
constexpr std::int32_t NoBinding = -1;
constexpr std::int32_t Unknown = -2;

std::size_t HashOf(std::string_view prefix)
{
    return prefix.empty() ? 0 : (prefix.size() * 7 + static_cast<unsigned char>(prefix.front()) * 3
                                 + static_cast<unsigned char>(prefix.back())) % 64;
}

}  // namespace

TXmlNamespaces::TXmlNamespaces()
{
    Bindings.push_back({"xml", std::string(XmlNamespace)});
    Cache.fill(Unknown);
}

void TXmlNamespaces::Declare(std::string_view prefix, std::string_view uri)
{
    // The reserved prefixes and names are the platform parser's to refuse or accept.
    if (prefix == "xml" || prefix == "xmlns" || (!prefix.empty() && uri.empty()) || uri == XmlNamespace
        || uri == XmlnsNamespace)
        throw TXmlUnusual{};
    Bindings.push_back({std::string(prefix), std::string(uri)});
    ++Declared;
    Cache.fill(Unknown);
}

std::int32_t TXmlNamespaces::Find(std::string_view prefix)
{
    std::int32_t& cached = Cache[HashOf(prefix)];
    if (cached >= 0 && Bindings[static_cast<std::size_t>(cached)].Prefix == prefix)
        return cached;
    for (std::size_t at = Bindings.size(); at-- > 0;) {
        if (Bindings[at].Prefix == prefix)
            return cached = static_cast<std::int32_t>(at);
    }
    if (!prefix.empty())
        throw TXmlUnusual{};
    return NoBinding;
}

std::string_view TXmlNamespaces::UriOf(std::int32_t binding) const
{
    return binding < 0 ? std::string_view() : std::string_view(Bindings[static_cast<std::size_t>(binding)].Uri);
}

std::string_view TXmlNamespaces::AttributeNamespace(std::string_view prefix)
{
    return prefix.empty() ? std::string_view() : UriOf(Find(prefix));
}

TXmlName TXmlNamespaces::Open(std::string_view raw, const TQName& name)
{
    // As deep as the platform's parsers read.
    if (Elements.size() == 1024)
        throw TXmlUnusual{};
    const std::int32_t binding = Find(name.Prefix);
    Names.append(raw);
    Elements.push_back({static_cast<std::uint32_t>(Names.size()), static_cast<std::uint32_t>(raw.size() - name.Local.size()),
                        static_cast<std::uint32_t>(Bindings.size() - Declared), binding});
    Declared = 0;
    return {UriOf(binding), name.Local};
}

TXmlName TXmlNamespaces::Closing(std::string_view raw) const
{
    if (Elements.empty())
        throw TXmlUnusual{};
    const TElement& element = Elements.back();
    const std::size_t begin = Elements.size() == 1 ? 0 : Elements[Elements.size() - 2].NameEnd;
    const std::string_view open = std::string_view(Names).substr(begin, element.NameEnd - begin);
    if (open != raw)
        throw TXmlUnusual{};
    return {UriOf(element.Binding), open.substr(element.LocalOffset)};
}

void TXmlNamespaces::Close()
{
    const TElement element = Elements.back();
    Elements.pop_back();
    Names.resize(Elements.empty() ? 0 : Elements.back().NameEnd);
    if (Bindings.size() != element.BindingCount) {
        Bindings.resize(element.BindingCount);
        Cache.fill(Unknown);
    }
}

}  // namespace tabulor

#include "workbook/xml/xml_namespaces.h"

namespace tabulor::xml {

namespace {

constexpr std::string_view XmlNamespace = "http://www.w3.org/XML/1998/namespace";
constexpr std::string_view XmlnsNamespace = "http://www.w3.org/2000/xmlns/";
constexpr std::size_t MaxBindings = 128;

}  // namespace

TXmlNamespaces::TXmlNamespaces()
{
    Bindings.push_back({"xml", std::string(XmlNamespace)});
    Cache.fill(Unknown);
}

void TXmlNamespaces::Declare(std::string_view prefix, std::string_view uri)
{
    // The reserved prefixes and names are the platform parser's to refuse or accept. So are more
    // namespaces at once than a workbook's parts declare: a prefix the cache misses is searched
    // for one binding after another.
    if (prefix == "xml" || prefix == "xmlns" || (!prefix.empty() && uri.empty()) || uri == XmlNamespace
        || uri == XmlnsNamespace || Bindings.size() > MaxBindings)
        throw TXmlUnusual{};
    Bindings.push_back({std::string(prefix), std::string(uri)});
    ++Declared;
    Cache.fill(Unknown);
    if (prefix.empty())
        Default = static_cast<std::int32_t>(Bindings.size() - 1);
}

std::int32_t TXmlNamespaces::Search(std::string_view prefix)
{
    for (std::size_t at = Bindings.size(); at-- > 0;) {
        if (Bindings[at].Prefix == prefix)
            return Cache[HashOf(prefix)] = static_cast<std::int32_t>(at);
    }
    throw TXmlUnusual{};
}

void TXmlNamespaces::Forget(std::size_t count)
{
    Bindings.resize(count);
    Cache.fill(Unknown);
    Default = NoBinding;
    for (std::size_t at = count; at-- > 0 && Default == NoBinding;) {
        if (Bindings[at].Prefix.empty())
            Default = static_cast<std::int32_t>(at);
    }
}

}  // namespace tabulor::xml

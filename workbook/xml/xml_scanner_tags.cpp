#include <algorithm>

#include "workbook/xml/xml_scanner_steps.h"
#include "workbook/xml/xml_scanner_chars.h"

namespace tabulor::xml {

namespace {

constexpr std::size_t MaxAttributes = 128;

// xmlns="uri" or xmlns:prefix="uri".
bool IsDeclaration(const TQName& name)
{
    return name.Prefix == "xmlns" || (name.Prefix.empty() && name.Local == "xmlns");
}

}  // namespace

void TScanner::StartTag()
{
    TQName name;
    std::string_view raw;
    const char* p = ReadName(Pos + 1, name, raw);
    RawCount = 0;
    Qualified = false;
    Values.clear();
    for (;;) {
        const char* afterValue = p;
        p = SkipSpace(p);
        if (*p == '>' || (p[0] == '/' && p[1] == '>')) {
            const bool empty = *p == '/';
            Pos = p + (empty ? 2 : 1);
            Deliver(name, raw, empty);
            return;
        }
        if (*p == '/')
            Fail(p + 1);
        // Attributes are apart.
        if (p == afterValue)
            Fail(p);
        // Duplicates are looked for pair by pair: a tag with more attributes than a workbook's
        // parts hold is the platform parser's, whose search does not grow as their square.
        if (RawCount == MaxAttributes)
            throw TXmlUnusual{};
        // Kept from tag to tag, so that none is made or freed each time.
        if (RawCount == RawAttributes.size())
            RawAttributes.emplace_back();
        TRawAttribute& attribute = RawAttributes[RawCount++];
        p = ReadValue(SkipEquals(ReadName(p, attribute.Name, attribute.Raw)), attribute);
        Qualified = Qualified || !attribute.Name.Prefix.empty() || IsDeclaration(attribute.Name);
    }
}

// Past the equals sign of an attribute, and the white space round it.
const char* TScanner::SkipEquals(const char* p) const
{
    p = SkipSpace(p);
    if (*p != '=')
        Fail(p);
    return SkipSpace(p + 1);
}

// An ASCII name with at most one colon, inside it.
const char* TScanner::ReadName(const char* p, TQName& name, std::string_view& raw) const
{
    const char* begin = p;
    if (!Is(*p, TCharClass::NameStart))
        Fail(p);
    const TNameEnd end = FindNameEnd(p + 1);
    if (end.End >= End)
        throw TMore{};
    raw = {begin, static_cast<std::size_t>(end.End - begin)};
    if (end.Colon == nullptr) {
        name = {{}, raw};
    } else {
        name = {{begin, static_cast<std::size_t>(end.Colon - begin)},
                {end.Colon + 1, static_cast<std::size_t>(end.End - end.Colon - 1)}};
        if (end.Colons > 1 || !Is(end.Colon[1], TCharClass::NameStart))
            throw TXmlUnusual{};
    }
    return end.End;
}

// A quoted value, normalized as XML says: references replaced, each literal tab, line end or CR
// LF pair a space. A value that needs none of that stays where it is in the buffer.
const char* TScanner::ReadValue(const char* p, TRawAttribute& attribute)
{
    const char quote = *p;
    if (quote != '"' && quote != '\'')
        Fail(p);
    const char* begin = ++p;
    bool decoded = false;
    const auto flush = [&](const char* at) {
        if (!decoded)
            attribute.Begin = static_cast<std::uint32_t>(Values.size());
        decoded = true;
        Values.append(begin, at);
    };
    for (;;) {
        p = FindSpecial(p, quote, '&', '<');
        if (*p == quote)
            break;
        if (static_cast<unsigned char>(*p) >= 0x80) {
            p = SkipChar(p);
        } else if (*p == '&') {
            flush(p);
            p = begin = ReadReference(p, Values);
        } else if (*p == '\t' || *p == '\n' || *p == '\r') {
            // A CR last in the buffer: an LF may come next.
            if (*p == '\r' && p + 1 == End && !InputEnded)
                throw TMore{};
            flush(p);
            Values += ' ';
            p += p[0] == '\r' && p[1] == '\n' ? 2 : 1;
            begin = p;
        } else {
            Fail(p);
        }
    }
    if (decoded) {
        flush(p);
        attribute.Size = static_cast<std::uint32_t>(Values.size() - attribute.Begin);
    } else {
        attribute.Value = {begin, static_cast<std::size_t>(p - begin)};
    }
    attribute.Decoded = decoded;
    return p + 1;
}

void TScanner::Deliver(const TQName& name, std::string_view raw, bool empty)
{
    if (RootEnded)
        throw TXmlUnusual{};
    if (RawCount == 2 && SameText(RawAttributes[0].Raw, RawAttributes[1].Raw))
        throw TXmlUnusual{};
    if (RawCount > 2)
        CheckDuplicates();
    if (Attributes.size() < RawCount)
        Attributes.resize(RawCount);
    const std::size_t count = Qualified ? QualifyAttributes() : CopyAttributes();
    const TXmlName element = Namespaces.Open(raw, name);
    Handler.StartElement(element, std::span<const TXmlAttribute>(Attributes.data(), count));
    if (empty) {
        Handler.EndElement(element);
        Namespaces.Close();
    }
    RootEnded = Namespaces.Depth() == 0;
}

// Most tags declare nothing and prefix no attribute: none of their attributes has a namespace.
std::size_t TScanner::CopyAttributes()
{
    for (std::size_t i = 0; i < RawCount; ++i)
        Attributes[i] = {{{}, RawAttributes[i].Name.Local}, ValueOf(RawAttributes[i])};
    return RawCount;
}

// The tag's declarations, in force for its own name and attributes, then the attributes that are
// not declarations, each with its namespace.
std::size_t TScanner::QualifyAttributes()
{
    const std::span<const TRawAttribute> raws(RawAttributes.data(), RawCount);
    for (const TRawAttribute& attribute : raws) {
        if (IsDeclaration(attribute.Name))
            Namespaces.Declare(attribute.Name.Prefix.empty() ? std::string_view() : attribute.Name.Local,
                               ValueOf(attribute));
    }
    std::size_t count = 0;
    for (const TRawAttribute& attribute : raws) {
        if (!IsDeclaration(attribute.Name))
            Attributes[count++] = {{Namespaces.AttributeNamespace(attribute.Name.Prefix), attribute.Name.Local},
                                   ValueOf(attribute)};
    }
    CheckNamespacedDuplicates(std::span<const TXmlAttribute>(Attributes.data(), count));
    return count;
}

// Two prefixes may name one namespace: the names as read differ, the attributes may not.
void TScanner::CheckNamespacedDuplicates(std::span<const TXmlAttribute> attributes)
{
    for (std::size_t i = 1; i < attributes.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (SameText(attributes[i].Name.Local, attributes[j].Name.Local)
                && SameText(attributes[i].Name.Namespace, attributes[j].Name.Namespace))
                throw TXmlUnusual{};
        }
    }
}

void TScanner::CheckDuplicates() const
{
    for (std::size_t i = 1; i < RawCount; ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (SameText(RawAttributes[i].Raw, RawAttributes[j].Raw))
                throw TXmlUnusual{};
        }
    }
}

std::string_view TScanner::ValueOf(const TRawAttribute& attribute) const
{
    return attribute.Decoded ? std::string_view(Values).substr(attribute.Begin, attribute.Size) : attribute.Value;
}

void TScanner::EndTag()
{
    const std::string_view open = Namespaces.InnermostRaw();
    const char* p = Pos + 2;
    if (static_cast<std::size_t>(End - p) <= open.size())
        throw TMore{};
    if (!SameBytes(open.data(), p, open.size()))
        throw TXmlUnusual{};
    p += open.size();
    p = SkipSpace(p);
    if (*p != '>')
        Fail(p);
    Pos = p + 1;
    Handler.EndElement(Namespaces.Innermost(open));
    Namespaces.Close();
    RootEnded = Namespaces.Depth() == 0;
}

}  // namespace tabulor::xml

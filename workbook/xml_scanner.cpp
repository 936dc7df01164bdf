#include "workbook/xml_scanner.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "workbook/ascii_text.h"
#include "workbook/xml_scan_chars.h"
#include "workbook/xml_scan_names.h"

namespace tabulor {

namespace {

using namespace xmlscan;

constexpr std::size_t BlockSize = 512 * 1024;
// A token longer than this (a tag of megabytes) is the platform parser's.
constexpr std::size_t MaxBuffer = 16 * 1024 * 1024;
// The NUL that stops every search at the buffer's end, and the bytes a search may load past it.
constexpr std::size_t Padding = 32;

// xmlns="uri" or xmlns:prefix="uri".
bool IsDeclaration(const TQName& name)
{
    return name.Prefix == "xmlns" || (name.Prefix.empty() && name.Local == "xmlns");
}

// Thrown where the buffer ends inside a token: the token is read again once more bytes are in.
struct TMore {};

class TScanner {
public:
    TScanner(TByteReader& input, TXmlHandler& handler) : Input(input), Handler(handler) {}
    void Run();

private:
    // The bytes of a start tag's attribute as read, its value decoded in Values when it had to be.
    struct TRawAttribute {
        TQName Name;
        std::string_view Raw;
        std::string_view Value;  // when not decoded
        std::uint32_t Begin;     // in Values, when decoded
        std::uint32_t Size;
        bool Decoded;
    };

    bool Refill();
    void Prolog();
    void Step();
    void Markup();
    void StartTag();
    void EndTag();
    void Comment();
    void Instruction();
    void Text();
    void Deliver(const TQName& name, std::string_view raw, bool empty);
    void CheckDuplicates() const;
    static void CheckNamespacedDuplicates(std::span<const TXmlAttribute> attributes);
    std::string_view ValueOf(const TRawAttribute& attribute) const;
    const char* ReadName(const char* p, TQName& name, std::string_view& raw) const;
    const char* ReadValue(const char* p, TRawAttribute& attribute);
    const char* ReadReference(const char* p, std::string& out) const;
    const char* SkipChar(const char* p) const;
    const char* ReadPseudoAttribute(const char* p, std::string_view name, std::string_view& value) const;

    // The byte at p is not what the syntax allows here: past the buffer's end it may be, once read.
    [[noreturn]] void Fail(const char* p) const
    {
        if (p >= End)
            throw TMore{};
        throw TXmlUnusual{};
    }

    TByteReader& Input;
    TXmlHandler& Handler;
    std::unique_ptr<char[]> Buffer;
    std::size_t Capacity = 0;
    const char* Pos = nullptr;
    const char* End = nullptr;
    bool InputEnded = false;
    bool RootEnded = false;
    TXmlNamespaces Namespaces;
    std::vector<TRawAttribute> RawAttributes;
    std::size_t RawCount = 0;  // of the tag being read
    std::string Values;
    std::vector<TXmlAttribute> Attributes;
    std::string Reference;
};

void TScanner::Run()
{
    // The XML declaration is read whole, in the first bytes.
    while (End - Pos < 512 && Refill()) {
    }
    try {
        Prolog();
    } catch (const TMore&) {
        throw TXmlUnusual{};
    }
    do {
        try {
            while (Pos < End)
                Step();
        } catch (const TMore&) {
        }
    } while (Refill());
    if (Pos != End || !RootEnded)
        throw TXmlUnusual{};
}

// Keeps the bytes not yet read, at the buffer's start, and reads more after them.
bool TScanner::Refill()
{
    if (InputEnded)
        return false;
    const std::size_t kept = static_cast<std::size_t>(End - Pos);
    if (Buffer == nullptr || kept > Capacity / 2) {
        const std::size_t capacity = std::max(Capacity * 2, BlockSize);
        if (capacity > MaxBuffer)
            throw TXmlUnusual{};
        auto buffer = std::make_unique_for_overwrite<char[]>(capacity + Padding);
        std::memcpy(buffer.get(), Pos, kept);
        Buffer = std::move(buffer);
        Capacity = capacity;
    } else {
        std::memmove(Buffer.get(), Pos, kept);
    }
    // One read, however short: a reader that hands out a byte at a time makes every token cross
    // the buffer's end, as the tests want.
    const std::size_t count = Input.Read(Buffer.get() + kept, Capacity - kept);
    InputEnded = count == 0;
    const std::size_t size = kept + count;
    Pos = Buffer.get();
    End = Pos + size;
    std::memset(Buffer.get() + size, 0, Padding);
    return size > kept;
}

// A byte order mark and the XML declaration, which may say UTF-8 and nothing else.
void TScanner::Prolog()
{
    if (End - Pos >= 3 && std::memcmp(Pos, "\xEF\xBB\xBF", 3) == 0)
        Pos += 3;
    if (End - Pos < 6 || std::memcmp(Pos, "<?xml", 5) != 0 || !Is(Pos[5], cSpace))
        return;
    std::string_view version, encoding, standalone;
    const char* p = ReadPseudoAttribute(Pos + 5, "version", version);
    if (version != "1.0")
        throw TXmlUnusual{};
    p = ReadPseudoAttribute(p, "encoding", encoding);
    if (!encoding.empty() && !EqualsIgnoringAsciiCase(encoding, "UTF-8"))
        throw TXmlUnusual{};
    p = ReadPseudoAttribute(p, "standalone", standalone);
    if (!standalone.empty() && standalone != "yes" && standalone != "no")
        throw TXmlUnusual{};
    while (Is(*p, cSpace))
        ++p;
    if (p[0] != '?' || p[1] != '>')
        Fail(p);
    Pos = p + 2;
}

// ` name="value"` at p, or nothing when another name follows: the value stays empty then.
const char* TScanner::ReadPseudoAttribute(const char* p, std::string_view name, std::string_view& value) const
{
    const char* at = p;
    while (Is(*at, cSpace))
        ++at;
    if (at == p || static_cast<std::size_t>(End - at) < name.size() || std::string_view(at, name.size()) != name)
        return p;
    at += name.size();
    while (Is(*at, cSpace))
        ++at;
    if (*at != '=')
        Fail(at);
    do
        ++at;
    while (Is(*at, cSpace));
    const char quote = *at;
    if (quote != '"' && quote != '\'')
        Fail(at);
    const char* end = static_cast<const char*>(std::memchr(at + 1, quote, static_cast<std::size_t>(End - at - 1)));
    if (end == nullptr || end == at + 1)
        throw TXmlUnusual{};
    value = {at + 1, static_cast<std::size_t>(end - at - 1)};
    return end + 1;
}

void TScanner::Step()
{
    if (*Pos == '<') {
        Markup();
    } else if (Namespaces.Depth() != 0) {
        Text();
    } else {
        // Outside the root only white space.
        const char* p = Pos;
        while (Is(*p, cSpace))
            ++p;
        Pos = p;
        if (*p != '<')
            Fail(p);
    }
}

void TScanner::Markup()
{
    switch (Pos[1]) {
    case '/':
        EndTag();
        break;
    case '!':
        Comment();
        break;
    case '?':
        Instruction();
        break;
    default:
        StartTag();
    }
}

void TScanner::StartTag()
{
    TQName name;
    std::string_view raw;
    const char* p = ReadName(Pos + 1, name, raw);
    RawCount = 0;
    Values.clear();
    for (;;) {
        const char* afterValue = p;
        while (Is(*p, cSpace))
            ++p;
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
        // Kept from tag to tag, so that none is made or freed each time.
        if (RawCount == RawAttributes.size())
            RawAttributes.emplace_back();
        TRawAttribute& attribute = RawAttributes[RawCount++];
        p = ReadName(p, attribute.Name, attribute.Raw);
        while (Is(*p, cSpace))
            ++p;
        if (*p != '=')
            Fail(p);
        do
            ++p;
        while (Is(*p, cSpace));
        p = ReadValue(p, attribute);
    }
}

// An ASCII name with at most one colon, inside it.
const char* TScanner::ReadName(const char* p, TQName& name, std::string_view& raw) const
{
    const char* begin = p;
    if (!Is(*p, cNameStart))
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
        if (end.Colons > 1 || !Is(end.Colon[1], cNameStart))
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

// Past the character from 0x80 up at p, when it is UTF-8 for a character XML allows.
const char* TScanner::SkipChar(const char* p) const
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    const unsigned lead = u[0];
    const std::size_t length = lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0)
        throw TXmlUnusual{};
    if (p + length > End)
        throw TMore{};
    for (std::size_t i = 1; i < length; ++i) {
        if ((u[i] & 0xC0) != 0x80)
            throw TXmlUnusual{};
    }
    // Overlong forms, surrogates, past U+10FFFF, and U+FFFE and U+FFFF, which are no characters.
    if ((lead == 0xE0 && u[1] < 0xA0) || (lead == 0xED && u[1] >= 0xA0) || (lead == 0xF0 && u[1] < 0x90)
        || (lead == 0xF4 && u[1] >= 0x90) || (lead == 0xEF && u[1] == 0xBF && u[2] >= 0xBE))
        throw TXmlUnusual{};
    return p + length;
}

// Appends what the reference at p stands for, and gives the byte after its ';'. Only the five
// predefined entities are known without a DTD.
const char* TScanner::ReadReference(const char* p, std::string& out) const
{
    const char* at = p + 1;
    if (*at == '#') {
        const bool hex = *++at == 'x';
        at += hex;
        std::uint32_t value = 0;
        const char* digits = at;
        for (;; ++at) {
            const int digit = hex ? HexDigit(*at) : (*at >= '0' && *at <= '9' ? *at - '0' : -1);
            if (digit < 0)
                break;
            value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
            if (value > 0x10FFFF)
                throw TXmlUnusual{};
        }
        if (*at != ';' || at == digits)
            Fail(at);
        if (!IsXmlChar(value))
            throw TXmlUnusual{};
        char bytes[4];
        out.append(bytes, WriteUtf8(value, bytes));
        return at + 1;
    }
    constexpr std::pair<std::string_view, char> entities[] = {
        {"amp;", '&'}, {"lt;", '<'}, {"gt;", '>'}, {"quot;", '"'}, {"apos;", '\''}};
    for (const auto& [name, character] : entities) {
        if (static_cast<std::size_t>(End - at) >= name.size() && std::string_view(at, name.size()) == name) {
            out += character;
            return at + name.size();
        }
    }
    if (End - at < 5)
        throw TMore{};
    throw TXmlUnusual{};
}

void TScanner::Deliver(const TQName& name, std::string_view raw, bool empty)
{
    if (RootEnded)
        throw TXmlUnusual{};
    CheckDuplicates();
    const std::span<const TRawAttribute> raws(RawAttributes.data(), RawCount);
    bool declares = false;
    bool prefixed = false;
    for (const TRawAttribute& attribute : raws) {
        if (IsDeclaration(attribute.Name)) {
            declares = true;
            Namespaces.Declare(attribute.Name.Prefix.empty() ? std::string_view() : attribute.Name.Local,
                               ValueOf(attribute));
        } else {
            prefixed = prefixed || !attribute.Name.Prefix.empty();
        }
    }
    const TXmlName element = Namespaces.Open(raw, name);
    if (Attributes.size() < RawCount)
        Attributes.resize(RawCount);
    std::size_t count = 0;
    for (const TRawAttribute& attribute : raws) {
        if (!declares || !IsDeclaration(attribute.Name))
            Attributes[count++] = {{prefixed ? Namespaces.AttributeNamespace(attribute.Name.Prefix) : std::string_view(),
                                    attribute.Name.Local},
                                   ValueOf(attribute)};
    }
    const std::span<const TXmlAttribute> attributes(Attributes.data(), count);
    if (prefixed)
        CheckNamespacedDuplicates(attributes);
    Handler.StartElement(element, attributes);
    if (empty) {
        Handler.EndElement(Namespaces.Innermost());
        Namespaces.Close();
    }
    RootEnded = Namespaces.Depth() == 0;
}

// Two prefixes may name one namespace: the names as read differ, the attributes may not.
void TScanner::CheckNamespacedDuplicates(std::span<const TXmlAttribute> attributes)
{
    for (std::size_t i = 1; i < attributes.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (attributes[i].Name.Local == attributes[j].Name.Local
                && attributes[i].Name.Namespace == attributes[j].Name.Namespace)
                throw TXmlUnusual{};
        }
    }
}

void TScanner::CheckDuplicates() const
{
    for (std::size_t i = 1; i < RawCount; ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            const std::string_view a = RawAttributes[i].Raw;
            const std::string_view b = RawAttributes[j].Raw;
            if (a.size() == b.size() && SameBytes(a.data(), b.data(), a.size()))
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
    while (Is(*p, cSpace))
        ++p;
    if (*p != '>')
        Fail(p);
    Pos = p + 1;
    Handler.EndElement(Namespaces.Innermost());
    Namespaces.Close();
    RootEnded = Namespaces.Depth() == 0;
}

// A comment, which may not hold "--"; a DOCTYPE or a CDATA section is the platform parser's.
void TScanner::Comment()
{
    if (Pos[2] != '-' || Pos[3] != '-')
        Fail(Pos[2] == '-' ? Pos + 3 : Pos + 2);
    for (const char* p = Pos + 4;; ++p) {
        p = FindSpecial(p, '-', '-', '-');
        if (static_cast<unsigned char>(*p) >= 0x80) {
            p = SkipChar(p) - 1;
        } else if (*p == '-') {
            if (p[1] != '-')
                continue;
            if (p[2] != '>')
                Fail(p + 2);
            Pos = p + 3;
            return;
        } else if (!Is(*p, cSpace)) {
            Fail(p);
        }
    }
}

// A processing instruction: its target a name that is not "xml" in any case, then anything up
// to "?>".
void TScanner::Instruction()
{
    TQName target;
    std::string_view raw;
    const char* p = ReadName(Pos + 2, target, raw);
    if (!target.Prefix.empty() || EqualsIgnoringAsciiCase(raw, "xml"))
        throw TXmlUnusual{};
    if (!Is(*p, cSpace) && *p != '?')
        Fail(p);
    for (;; ++p) {
        p = FindSpecial(p, '?', '?', '?');
        if (static_cast<unsigned char>(*p) >= 0x80) {
            p = SkipChar(p) - 1;
        } else if (*p == '?') {
            if (p[1] == '>') {
                Pos = p + 2;
                return;
            }
            if (p + 1 >= End)
                throw TMore{};
        } else if (!Is(*p, cSpace)) {
            Fail(p);
        }
    }
}

// Character data up to the next markup, in pieces between the references and line ends, which
// are given as what they stand for.
void TScanner::Text()
{
    const char* begin = Pos;
    const char* p = Pos;
    const auto flush = [&](const char* at) {
        if (at != begin)
            Handler.Characters({begin, static_cast<std::size_t>(at - begin)});
        Pos = begin = at;
    };
    for (;;) {
        p = FindSpecial(p, '<', '&', ']');
        const unsigned char byte = static_cast<unsigned char>(*p);
        if (byte == '\t' || byte == '\n') {
            ++p;
        } else if (byte >= 0x80) {
            if (p + 4 > End)
                flush(p);
            p = SkipChar(p);
        } else if (byte == '&') {
            flush(p);
            Reference.clear();
            p = ReadReference(p, Reference);
            Handler.Characters(Reference);
            Pos = begin = p;
        } else if (byte == '\r') {
            flush(p);
            if (p + 1 == End && !InputEnded)
                throw TMore{};
            Handler.Characters("\n");
            Pos = begin = p += p[1] == '\n' ? 2 : 1;
        } else if (byte == ']') {
            // "]]>" may not stand in text.
            if (p + 2 >= End)
                flush(p);
            if (p[1] == ']' && p[2] == '>')
                throw TXmlUnusual{};
            if (p + 2 >= End && !InputEnded)
                throw TMore{};
            ++p;
        } else {
            flush(p);
            if (byte != '<')
                Fail(p);
            return;
        }
    }
}

}  // namespace

void ScanXml(TByteReader& input, TXmlHandler& handler)
{
    TScanner(input, handler).Run();
}

}  // namespace tabulor

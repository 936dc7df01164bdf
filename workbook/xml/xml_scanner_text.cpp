#include "workbook/ascii_text.h"
#include "workbook/xml/xml_scanner_steps.h"
#include "workbook/xml/xml_scanner_chars.h"

namespace tabulor::xml {

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
        } else if (!Is(*p, TCharClass::Space)) {
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
    // The target ends at white space or at the instruction's end.
    if (*p == '?' && p[1] != '>')
        Fail(p + 1);
    if (!Is(*p, TCharClass::Space) && *p != '?')
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
        } else if (!Is(*p, TCharClass::Space)) {
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

}  // namespace tabulor::xml

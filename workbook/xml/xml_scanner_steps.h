// The scanner behind ScanXml, its steps shared by the units that read tags (xml_scanner_tags) and
// text (xml_scanner_text) and the one that keeps the buffer (xml_scanner).
//
// Each step reads one token from Pos and either moves Pos past it or, where the buffer ends
// inside it, throws TMore with Pos still at its start; it throws TXmlUnusual where the document
// leaves the scanner's shape. Nothing here is an interface of the workbook layer: xml_scanner.h is.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/byte_reader.h"
#include "workbook/xml/xml_namespaces.h"
#include "workbook/xml/xml_reader.h"
#include "workbook/xml/xml_unusual.h"

namespace tabulor::xml {

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
    std::size_t CopyAttributes();
    std::size_t QualifyAttributes();
    void CheckDuplicates() const;
    static void CheckNamespacedDuplicates(std::span<const TXmlAttribute> attributes);
    std::string_view ValueOf(const TRawAttribute& attribute) const;
    const char* SkipEquals(const char* p) const;
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
    bool Qualified = false;    // one of its attributes is prefixed or a declaration
    std::string Values;
    std::vector<TXmlAttribute> Attributes;
    std::string Reference;
};

}  // namespace tabulor::xml

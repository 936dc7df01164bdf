// ParseXml over expat in its namespace mode, which resolves prefixes and keeps the namespace
// declarations out of the attributes.
#include <expat.h>

#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <vector>

#include "workbook/workbook_fault.h"
#include "workbook/xml/xml_reader.h"

namespace tabulor::xml {

namespace {

// Joins a name's namespace and local name; it can occur in neither, being no XML character.
constexpr char Separator = '\x01';
constexpr int ChunkSize = 64 * 1024;
// As deep as XmlLite reads on Windows, so that a file reads alike on both.
constexpr std::size_t MaxDepth = 1024;

// The local name is short and last, the namespace long: searching back from the end finds the
// separator after a few bytes, where a search from the start would cross the whole namespace.
TXmlName SplitName(const XML_Char* name)
{
    const std::size_t size = std::strlen(name);
    for (std::size_t at = size; at > 0; --at) {
        if (name[at - 1] == Separator)
            return {{name, at - 1}, {name + at, size - at}};
    }
    return {{}, {name, size}};
}

// What the callbacks share. Once stopped, no further callback reaches the handler: expat may
// still deliver a few after XML_StopParser.
struct TParse {
    XML_Parser Parser;
    TXmlHandler& Handler;
    std::vector<TXmlAttribute> Attributes;
    std::exception_ptr Thrown;
    std::size_t Depth = 0;
    bool Refused = false;

    bool Stopped() const { return Thrown || Refused; }

    void Stop(std::exception_ptr thrown)
    {
        Thrown = std::move(thrown);
        XML_StopParser(Parser, XML_FALSE);
    }

    void Refuse()
    {
        if (!Stopped()) {
            Refused = true;
            XML_StopParser(Parser, XML_FALSE);
        }
    }
};

// Runs a call to the handler, keeping any exception away from expat's C frames.
template <typename TCall>
void Deliver(void* data, TCall call)
{
    auto& parse = *static_cast<TParse*>(data);
    if (parse.Stopped())
        return;
    try {
        call(parse);
    } catch (...) {
        parse.Stop(std::current_exception());
    }
}

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    if (auto* parse = static_cast<TParse*>(data); ++parse->Depth > MaxDepth)
        parse->Refuse();
    Deliver(data, [&](TParse& parse) {
        parse.Attributes.clear();
        for (const XML_Char** at = attributes; *at != nullptr; at += 2)
            parse.Attributes.push_back({SplitName(at[0]), at[1]});
        parse.Handler.StartElement(SplitName(name), parse.Attributes);
    });
}

void OnEnd(void* data, const XML_Char* name)
{
    --static_cast<TParse*>(data)->Depth;
    Deliver(data, [&](TParse& parse) { parse.Handler.EndElement(SplitName(name)); });
}

void OnCharacters(void* data, const XML_Char* text, int length)
{
    Deliver(data, [&](TParse& parse) {
        parse.Handler.Characters({text, static_cast<std::size_t>(length)});
    });
}

void OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    static_cast<TParse*>(data)->Refuse();
}

void OnEntity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
              const XML_Char*, const XML_Char*, const XML_Char*)
{
    static_cast<TParse*>(data)->Refuse();
}

struct TParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

}  // namespace

void ParseXml(TByteReader& input, TXmlHandler& handler)
{
    const std::unique_ptr<XML_ParserStruct, TParserFree> parser(XML_ParserCreateNS(nullptr, Separator));
    if (!parser)
        throw std::bad_alloc();
    TParse parse{parser.get(), handler, {}, {}};
    XML_SetUserData(parser.get(), &parse);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnCharacters);
    XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
    XML_SetEntityDeclHandler(parser.get(), OnEntity);
    for (bool last = false; !last;) {
        void* buffer = XML_GetBuffer(parser.get(), ChunkSize);
        if (buffer == nullptr)
            throw std::bad_alloc();
        const std::size_t count = input.Read(static_cast<char*>(buffer), ChunkSize);
        last = count == 0;
        const XML_Status status = XML_ParseBuffer(parser.get(), static_cast<int>(count), last);
        if (parse.Thrown)
            std::rethrow_exception(parse.Thrown);
        if (status != XML_STATUS_OK || parse.Refused)
            ThrowInvalid();
    }
}

}  // namespace tabulor::xml

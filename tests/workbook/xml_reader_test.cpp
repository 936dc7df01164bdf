#include "workbook/xml/xml_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/testkit/wine.h"
#include "tests/testkit/xml_events.h"
#include "workbook/workbook_fault.h"
#include "workbook/xml/xml_scanner.h"

namespace tabulor {
namespace {

using testkit::TPieceReader;
using testkit::TXmlEvents;

// The ways a document reaches a handler: the platform's parser alone, and the fast path that
// leaves to it what it does not read, each over the bytes whole and one at a time behind a long
// comment, so that every name and text crosses a piece's edge.
struct TPath {
    const char* Name;
    bool Fast;
    bool OneByte;
};
constexpr TPath Paths[] = {
    {"xml::ParseXml", false, false},
    {"xml::ParseXml one byte at a time", false, true},
    {"xml::ReadXmlPart", true, false},
    {"xml::ReadXmlPart one byte at a time", true, true},
};

// Reads the document on that path, into the handler that fresh() makes for each reading.
void Read(const TPath& path, std::string_view xml, const std::function<xml::TXmlHandler&()>& fresh)
{
    const std::string bytes = path.OneByte ? testkit::BehindLongComment(xml) : std::string(xml);
    const xml::TPartOpener open = [&]() -> std::unique_ptr<TByteReader> {
        if (path.OneByte)
            return std::make_unique<TPieceReader>(bytes, std::vector<std::size_t>{1});
        return std::make_unique<TMemoryReader>(bytes);
    };
    if (path.Fast)
        xml::ReadXmlPart(open, [&](TByteReader& input, xml::TXmlParser parse) { parse(input, fresh()); });
    else
        xml::ParseXml(*open(), fresh());
}

// The trace of a whole reading; should it fail, what the last reading gave the handler is left
// in events.
std::string Traced(const TPath& path, std::string_view xml, TXmlEvents& events)
{
    Read(path, xml, [&]() -> xml::TXmlHandler& { return events = TXmlEvents(); });
    return events.Trace();
}

// Elements nested that deep, the innermost empty.
std::string Nested(std::size_t depth, std::string_view open, std::string_view empty, std::string_view close)
{
    std::string xml;
    for (std::size_t i = 1; i < depth; ++i)
        xml += open;
    xml += empty;
    for (std::size_t i = 1; i < depth; ++i)
        xml += close;
    return xml;
}

TEST(XmlReading, NamesElementsAndAttributesByNamespaceAndDeliversTheirText)
{
    const std::string longText(200'000, 'x');
    const struct {
        std::string Xml;
        std::string Trace;
        bool WineDiffers = false;  // its XmlLite makes a space of a line end's reference
    } cases[] = {
        {"<a b=\"1\">t</a>", "<{}a {}b=1>'t'</{}a>"},
        {R"(<x:a xmlns:x="urn:one" x:b="1" c="2"><y:d xmlns:y="urn:one" y:e="3"/></x:a>)",
         "<{urn:one}a {urn:one}b=1 {}c=2><{urn:one}d {urn:one}e=3></{urn:one}d></{urn:one}a>"},
        {R"(<a xmlns="urn:1" b="1"><c xmlns="urn:2"/><d/></a>)",
         "<{urn:1}a {}b=1><{urn:2}c></{urn:2}c><{urn:1}d></{urn:1}d></{urn:1}a>"},
        {R"(<a xmlns="http://purl.oclc.org/ooxml/spreadsheetml/main" xmlns:r="urn:r" r:id="rId1"/>)",
         "<{http://purl.oclc.org/ooxml/spreadsheetml/main}a {urn:r}id=rId1>"
         "</{http://purl.oclc.org/ooxml/spreadsheetml/main}a>"},
        {"<a>x &amp; y &#233;&#x20AC;<![CDATA[<z>&amp;]]>\r\n</a>", "<{}a>'x & y é€<z>&amp;\n'</{}a>"},
        {"<a>\n  <b/>\n</a>", "<{}a>'\n  '<{}b></{}b>'\n'</{}a>"},
        {"<a b=\"1&lt;&#10;2\t3\r\n4\"/>", "<{}a {}b=1<\n2 3 4></{}a>", true},
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<!-- a comment --><a><?target data?>t<!-- another -->u</a>\n",
         "<{}a>'tu'</{}a>"},
        {"<a>" + longText + "</a>", "<{}a>'" + longText + "'</{}a>"},
        // As deep as XmlLite reads.
        {Nested(1024, "<a>", "<a/>", "</a>"), Nested(1024, "<{}a>", "<{}a></{}a>", "</{}a>")},
    };
    for (const auto& test : cases) {
        if (test.WineDiffers && testkit::RunsUnderWine())
            continue;
        for (const TPath& path : Paths) {
            SCOPED_TRACE(test.Xml.substr(0, 80) + ", " + path.Name);
            TXmlEvents events;
            EXPECT_EQ(Traced(path, test.Xml, events), test.Trace);
        }
    }
}

TEST(XmlReading, RefusesDtdsAndMalformedDocuments)
{
    const struct {
        std::string Xml;
        bool Dtd;  // then nothing at all reaches the handler
        bool WineLetsThrough = false;
    } cases[] = {
        {"<!DOCTYPE a><a/>", true},
        {R"(<?xml version="1.0"?><!DOCTYPE lolz [<!ENTITY lol "lol">)"
         R"(<!ENTITY lol1 "&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;">)"
         R"(<!ENTITY lol2 "&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;">]>)"
         "<lolz>&lol2;</lolz>",
         true},
        {R"(<!DOCTYPE a [<!ENTITY x SYSTEM "file:///etc/passwd">]><a>&x;</a>)", true},
        {R"(<!DOCTYPE a SYSTEM "http://example.com/a.dtd"><a/>)", true},
        {"", false},
        {"<a>", false},
        {"<a><b></a>", false},
        {"<a/><b/>", false},
        {"<a>&nbsp;</a>", false, true},
        {"<x:a/>", false},
        {R"(<a b="1" b="2"/>)", false, true},
        {"<a>\xFF</a>", false, true},
        {"<a>&#1;</a>", false, true},
        {"text only", false},
        {Nested(1025, "<a>", "<a/>", "</a>"), false},
    };
    for (const auto& test : cases) {
        if (test.WineLetsThrough && testkit::RunsUnderWine())
            continue;
        for (const TPath& path : Paths) {
            SCOPED_TRACE(test.Xml + ", " + path.Name);
            TXmlEvents events;
            try {
                Traced(path, test.Xml, events);
                ADD_FAILURE() << "accepted";
            } catch (const EWorkbookFault& fault) {
                EXPECT_EQ(fault.Kind, EWorkbookFault::TKind::Invalid);
            }
            if (test.Dtd) {
                EXPECT_EQ(events.Trace(), "");
            }
        }
    }
}

TEST(XmlReading, PassesTheHandlersExceptionOnUnchangedAndStops)
{
    // Throws from the event of the given number, and counts the events that follow.
    class TThrower : public xml::TXmlHandler {
    public:
        explicit TThrower(int at) : At(at) {}
        void StartElement(const xml::TXmlName&, std::span<const xml::TXmlAttribute>) override { Event(); }
        void EndElement(const xml::TXmlName&) override { Event(); }
        void Characters(std::string_view) override { Event(); }
        int Seen = 0;

    private:
        void Event()
        {
            if (++Seen == At)
                throw EWorkbookFault(EWorkbookFault::TKind::MissingSheet, "Feuille " + std::to_string(At));
        }
        int At;
    };
    // Events: <a>, "t", <b/> (its start and end in one tag), </a>.
    const std::string xml = "<a>t<b/></a>";
    for (const TPath& path : Paths) {
        for (int at = 1; at <= 5; ++at) {
            SCOPED_TRACE(std::string(path.Name) + ", " + std::to_string(at));
            TThrower thrower(at);
            try {
                Read(path, xml, [&]() -> xml::TXmlHandler& { return thrower = TThrower(at); });
                ADD_FAILURE() << "no exception";
            } catch (const EWorkbookFault& fault) {
                EXPECT_EQ(fault.Kind, EWorkbookFault::TKind::MissingSheet);
                EXPECT_EQ(fault.Sheet, "Feuille " + std::to_string(at));
            }
            EXPECT_EQ(thrower.Seen, at);
        }
    }
}

TEST(FindAttribute, MatchesNamespaceAndLocalNameBoth)
{
    const xml::TXmlAttribute attributes[] = {
        {{"urn:r", "id"}, "first"},
        {{"", "id"}, "second"},
        {{"urn:other", "name"}, "third"},
    };
    const struct {
        std::string_view Namespace;
        std::string_view Local;
        const xml::TXmlAttribute* Found;
    } cases[] = {
        {"urn:r", "id", &attributes[0]},
        {"", "id", &attributes[1]},
        {"urn:other", "name", &attributes[2]},
        {"", "name", nullptr},
        {"urn:r", "name", nullptr},
        {"urn:r", "i", nullptr},
    };
    for (const auto& test : cases)
        EXPECT_EQ(xml::FindAttribute(attributes, test.Namespace, test.Local), test.Found);
}

}  // namespace
}  // namespace tabulor

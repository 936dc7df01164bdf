// The fast scanner against the platform's parser on the same bytes: documents of the shape the
// scanner reads must give identical events however the bytes arrive, and every other document
// must reach the parser, whose result the fast path then gives.
#include "workbook/xml/xml_scanner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/testkit/wine.h"
#include "tests/testkit/xml_events.h"
#include "workbook/workbook_fault.h"

namespace tabulor {
namespace {

using namespace std::string_literals;
using testkit::TPieceReader;
using testkit::TXmlEvents;

// Whole, one byte at a time, and pieces of a few sizes whose edges fall at every offset of a
// token in turn.
const std::vector<std::size_t> PieceSizes[] = {{SIZE_MAX}, {1}, {2, 3, 5, 7}, {11, 64, 4}};

std::string SizesText(const std::vector<std::size_t>& sizes)
{
    std::string text = "pieces of";
    for (const std::size_t size : sizes)
        text.append(" ").append(size == SIZE_MAX ? "all" : std::to_string(size));
    return text;
}

// The events ScanXml gives before it finishes or stops; unusual says whether it stopped. Cut in
// pieces, the document stands behind a long comment, which gives no event, so that the pieces'
// edges fall past what the scanner reads at once at first.
TXmlEvents Scanned(std::string_view xml, const std::vector<std::size_t>& sizes, bool& unusual)
{
    const std::string bytes = sizes == PieceSizes[0] ? std::string(xml) : testkit::BehindLongComment(xml);
    TXmlEvents events;
    TPieceReader input(bytes, sizes);
    unusual = false;
    try {
        xml::ScanXml(input, events);
    } catch (const xml::TXmlUnusual&) {
        unusual = true;
    }
    return events;
}

// ParseXml's events, and its fault where it refuses the document.
struct TParsed {
    TXmlEvents Events;
    std::optional<EWorkbookFault::TKind> Fault;
};

TParsed Parsed(std::string_view xml)
{
    TParsed parsed;
    TMemoryReader input(xml);
    try {
        xml::ParseXml(input, parsed.Events);
    } catch (const EWorkbookFault& fault) {
        parsed.Fault = fault.Kind;
    }
    return parsed;
}

// A document of the scanner's shape: read by it whole, in any pieces, with the parser's events.
void ExpectScannedAlike(std::string_view xml)
{
    const TParsed parsed = Parsed(xml);
    ASSERT_FALSE(parsed.Fault) << "the parser refuses it";
    for (const std::vector<std::size_t>& sizes : PieceSizes) {
        SCOPED_TRACE(SizesText(sizes));
        bool unusual = false;
        const TXmlEvents scanned = Scanned(xml, sizes, unusual);
        EXPECT_FALSE(unusual) << "the scanner leaves it to the parser";
        EXPECT_EQ(scanned.Trace(), parsed.Events.Trace());
        EXPECT_TRUE(scanned.Events == parsed.Events.Events);
    }
}

const std::string Main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

TEST(XmlPaths, OddDocumentsOfTheScannersShapeGiveTheParsersEvents)
{
    const std::string rows = "<sheetData><row r=\"1\"><c><v>1</v></c></row></sheetData>";
    std::vector<std::string> odd = {
        // Each form of prefix.
        "<worksheet xmlns=\"" + Main + "\">" + rows + "</worksheet>",
        "<x:worksheet xmlns:x=\"" + Main + "\"><x:sheetData><x:row/></x:sheetData></x:worksheet>",
        "<a xmlns=\"urn:1\"><b xmlns=\"urn:2\"><c/></b><d xmlns=\"\"><e/></d><f/></a>",
        "<x:a xmlns:x=\"urn:1\" xmlns:y=\"urn:1\"><y:b x:c=\"1\" y:d=\"2\"/><x:b/></x:a>",
        "<a xmlns=\"urn:1\" xmlns:r=\"urn:r\" r:id=\"rId1\" id=\"2\"><b r:id=\"3\" xml:space=\"preserve\"/></a>",
        "<a xmlns:x=\"urn:1\"><x:b xmlns:x=\"urn:1\"/></a>",
        // References, which the one-byte and the mixed pieces cut at every place.
        "<a>&amp;&lt;&gt;&apos;&quot;&#65;&#x42;&#xFFFD;&#233;&#x20AC;x&#0000000065;</a>",
        "<a b=\"&amp;&lt;&#x20;\" c='&quot;&apos;'/>",
        // Quotes, spaces and tags of every form.
        "<a b='1' c=\"'\" d='\"'/>",
        "<a b = \"1\"\tc\n=\r\n'2' ></a  >",
        "<a\n>\n<b\r\n/></a\t>",
        // Comments and instructions, inside the rows and round the root.
        "<?xml version='1.0' encoding='UTF-8' standalone='yes'?><!-- x --><?pi?><worksheet xmlns=\"" + Main
            + "\"><sheetData><!-- a -><b --><row><?pi data?><c><!----><v>1<!-- c -->2</v></c></row>"
              "<?x ?></sheetData></worksheet><!-- y --><?z?>\n",
        // Line ends: CR LF and lone CRs in text and in attribute values, tabs and line feeds.
        "<a b=\"1\r\n2\r3\n4\t5\">x\r\ny\rz\r\r\n\n</a>",
        "<a>\r</a>",
        "<a b=\"\r\"/>",
        // A mark and a declaration in single quotes.
        "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?>\r\n<a>\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E</a>",
        // Text that looks like markup's ends, and multibyte characters in values.
        "<a b=\"&gt;>]]\xC3\xA9\">]]&gt; ] > ]]</a>",
        // Names with every character an ASCII name may hold.
        "<_a.b-c:d9 xmlns:_a.b-c=\"urn:n\" e_f.g-h=\"1\"><A/></_a.b-c:d9>",
        // An empty value, an empty element, and no text at all.
        "<a b=\"\"></a>",
    };
    // Wine's XmlLite gives a prefix bound again on an element the namespace it had above, leaves
    // a reference to the last character as it stands, and makes a space of one to a line end.
    if (!testkit::RunsUnderWine()) {
        odd.insert(odd.end(), {
            "<x:a xmlns:x=\"urn:1\"><x:b xmlns:x=\"urn:2\"><x:c/></x:b><x:d/></x:a>",
            "<a xmlns:r=\"urn:r\"><b r:x=\"1\" xmlns:r=\"urn:other\"/><r:c/></a>",
            "<a b=\"&#9;&#10;&#13;\">&#13;&#10;&#9;&#x10FFFF;</a>",
        });
    }
    for (const std::string& xml : odd) {
        SCOPED_TRACE(xml);
        ExpectScannedAlike(xml);
    }
}

std::string ReadSourceFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The differential fuzzer's seeds, parts as the generators write them, and the sheet fuzzer's.
TEST(XmlPaths, FuzzSeedsGiveTheParsersEvents)
{
    if (testkit::RunsUnderWine())
        GTEST_SKIP() << "Wine's XmlLite reads their references to line ends and their prefixes bound again otherwise";
    const std::filesystem::path corpus = std::filesystem::path(TABULOR_SOURCE_DIR) / "fuzz" / "corpus";
    for (const char* target : {"xml_paths", "sheet_xml"}) {
        int seeds = 0;
        for (const auto& entry : std::filesystem::directory_iterator(corpus / target)) {
            SCOPED_TRACE(entry.path().string());
            ExpectScannedAlike(ReadSourceFile(entry.path()));
            ++seeds;
        }
        EXPECT_GT(seeds, 0) << target;
    }
}

// An empty element with that many attributes, name0="value0" and so on.
std::string ManyAttributes(int count, const std::string& name, const std::string& value)
{
    std::string tag = "<a";
    for (int i = 0; i < count; ++i)
        tag += " " + name + std::to_string(i) + "=\"" + value + std::to_string(i) + "\"";
    return tag + "/>";
}

TEST(XmlPaths, DocumentsOutsideTheScannersShapeAreTheParsers)
{
    const std::string unusual[] = {
        // More attributes, or namespaces, than a workbook's parts hold.
        ManyAttributes(200, "b", ""),
        ManyAttributes(200, "xmlns:p", "urn:"),
        // Read by the parser alone.
        "<a><![CDATA[<b>&amp;]]></a>",
        "<a>x<![CDATA[]]>y</a>",
        "<\xC3\xA9>t</\xC3\xA9>",
        "<a b\xC3\xA9=\"1\"/>",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE9</a>",
        "\xFF\xFE<\0a\0/\0>\0"s,
        "<a>\0</a>"s,
        // Refused by it.
        "<!DOCTYPE a><a/>",
        "<a>&nbsp;</a>",
        "<a>&amp</a>",
        "<a>&#;</a>",
        "<a>&#x;</a>",
        "<a>&#1;</a>",
        "<a>&#xD800;</a>",
        "<a>&#xFFFE;</a>",
        "<a>&#x110000;</a>",
        "<a>&#4294967362;</a>",
        "<a>&#65</a>",
        "<a b=\"&\"/>",
        "<a b=\"<\"/>",
        "<a b=\"1\"c=\"2\"/>",
        "<a b=\"1\" b='2'/>",
        "<a xmlns:x=\"urn:1\" xmlns:y=\"urn:1\" x:b=\"1\" y:b=\"2\"/>",
        "<a b=1/>",
        "<x:a/>",
        "<a x:b=\"1\"/>",
        "<a xmlns:x=\"\"/>",
        "<a><b></a>",
        "<a></ a>",
        "<a></a",
        "<a>",
        "<a/><b/>",
        "<a/>x",
        "x<a/>",
        "",
        " \r\n",
        "<a>]]></a>",
        "<a>\x01</a>",
        "<a>\xFF</a>",
        "<a>\xC0\xAF</a>",
        "<a>\xED\xA0\x80</a>",
        "<a>\xF4\x90\x80\x80</a>",
        "<a>\xE2\x82</a>",
        "<a>\xE0\x80\x80</a>",
        "<a>\xF0\x80\x80\x80</a>",
        "<a>\xEF\xBF\xBE</a>",
        "<a b=\"\xEF\xBF\xBF\"/>",
        "<a><!-- x -- y --></a>",
        "<a><!-- x ---></a>",
        "<a><?xml version=\"1.0\"?></a>",
        " <?xml version=\"1.0\"?><a/>",
        "<a><? x?></a>",
        "<a><?pi x></a>",
        "<a><?pi?x?></a>",
        "<a/><!-- x",
    };
    for (const std::string& xml : unusual) {
        SCOPED_TRACE(xml);
        const TParsed parsed = Parsed(xml);
        for (const std::vector<std::size_t>& sizes : PieceSizes) {
            SCOPED_TRACE(SizesText(sizes));
            bool unusual = false;
            Scanned(xml, sizes, unusual);
            EXPECT_TRUE(unusual) << "the scanner reads it";
        }
        TXmlEvents events;
        std::optional<EWorkbookFault::TKind> fault;
        try {
            events = xml::ReadXmlPart([&] { return std::make_unique<TMemoryReader>(xml); },
                                 [](TByteReader& input, xml::TXmlParser parse) {
                                     TXmlEvents fresh;
                                     parse(input, fresh);
                                     return fresh;
                                 });
        } catch (const EWorkbookFault& error) {
            fault = error.Kind;
        }
        EXPECT_EQ(fault, parsed.Fault);
        if (!fault) {
            EXPECT_EQ(events.Trace(), parsed.Events.Trace());
        }
    }
}

}  // namespace
}  // namespace tabulor

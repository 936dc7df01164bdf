// Any bytes, read by the fast scanner and by the platform's parser: where the scanner reads the
// document whole, the parser does too, with the same events; where it leaves the document to the
// parser (TXmlUnusual, the only exception it may throw), what it gave before is what the parser
// gives up to that place, its last run of text possibly shorter. The scanner reads the bytes
// whole and again in small pieces, so that its tokens also cross the pieces' edges.
//
// Input: the document's bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "properties.h"
#include "tests/testkit/xml_events.h"
#include "workbook/workbook_fault.h"
#include "workbook/xml_scanner.h"

namespace {

using namespace tabulor;
using testkit::TXmlEvents;

void CheckScanned(std::string_view xml, const std::vector<std::size_t>& sizes, const TXmlEvents& parsed, bool parsedWhole)
{
    TXmlEvents scanned;
    testkit::TPieceReader input(xml, sizes);
    try {
        ScanXml(input, scanned);
    } catch (const TXmlUnusual&) {
        fuzz::Require(testkit::BeginsLike(scanned.Events, parsed.Events),
                      "the scanner's events before it stops are the parser's", xml);
        return;
    } catch (...) {
        fuzz::Fail("the scanner throws nothing but TXmlUnusual", xml);
    }
    fuzz::Require(parsedWhole, "the parser reads whole what the scanner reads whole", xml);
    fuzz::Require(scanned.Events == parsed.Events, "the scanner gives the parser's events", xml);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    TXmlEvents parsed;
    bool parsedWhole = true;
    try {
        TMemoryReader input(xml);
        ParseXml(input, parsed);
    } catch (const EWorkbookFault&) {
        parsedWhole = false;
    }
    CheckScanned(xml, {SIZE_MAX}, parsed, parsedWhole);
    CheckScanned(xml, {1, 7, 2, 13, 3, 5}, parsed, parsedWhole);
    return 0;
}

// Any bytes, read by the fast scanner and by the platform's parser: where the scanner reads the
// document whole, the parser does too, with the same events; where it leaves the document to the
// parser (TXmlUnusual, the only exception it may throw), what it gave before is what the parser
// gives up to that place, its last run of text possibly shorter (or longer, where the parser
// refuses the document). The scanner reads the bytes whole, and again in small pieces behind a
// long comment, so that its tokens also cross the pieces' edges past what it reads at once at
// first.
//
// Input: the document's bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "properties.h"
#include "tests/testkit/xml_events.h"
#include "workbook/workbook_fault.h"
#include "workbook/xml/xml_scanner.h"

namespace {

using namespace tabulor;
using testkit::TXmlEvents;

// The parser's events, and whether it read the document whole.
struct TParsed {
    TXmlEvents Events;
    bool Whole = true;
};

TParsed Parsed(std::string_view xml)
{
    TParsed parsed;
    try {
        TMemoryReader input(xml);
        xml::ParseXml(input, parsed.Events);
    } catch (const EWorkbookFault&) {
        parsed.Whole = false;
    }
    return parsed;
}

void CheckScanned(std::string_view xml, const std::vector<std::size_t>& sizes)
{
    const TParsed parsed = Parsed(xml);
    TXmlEvents scanned;
    testkit::TPieceReader input(xml, sizes);
    try {
        xml::ScanXml(input, scanned);
    } catch (const xml::TXmlUnusual&) {
        // The parser holds a run of text back until it sees where the run ends; where it refuses
        // the document there, it gives none of it.
        const std::span<const testkit::TXmlEvent> before(scanned.Events);
        const bool heldBack = !parsed.Whole && !before.empty() && before.back().Kind == testkit::TXmlEvent::TKind::Text;
        fuzz::Require(testkit::BeginsLike(before, parsed.Events.Events)
                          || (heldBack && testkit::BeginsLike(before.first(before.size() - 1), parsed.Events.Events)),
                      "the scanner's events before it stops are the parser's", xml);
        return;
    } catch (...) {
        fuzz::Fail("the scanner throws nothing but xml::TXmlUnusual", xml);
    }
    fuzz::Require(parsed.Whole, "the parser reads whole what the scanner reads whole", xml);
    fuzz::Require(scanned.Events == parsed.Events.Events, "the scanner gives the parser's events", xml);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    CheckScanned(xml, {SIZE_MAX});
    CheckScanned(testkit::BehindLongComment(xml), {1, 7, 2, 13, 3, 5});
    return 0;
}

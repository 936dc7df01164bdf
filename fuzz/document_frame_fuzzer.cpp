// The documents around a table: the prologue, the table and the epilogue written into one line
// list are the three made separately, joined, after whatever the list already held; every line
// ends with CR LF; and the whole page reads as a tree of its elements, the table inside the body.
//
// Input: a byte of choices (bit 0: XHTML, bit 1: "&nbsp;" as the empty-cell text, bits 2 and 3
// both: three bytes follow giving the length of a line the lists already hold), the settings with
// markup-free texts, then the source text. That earlier line, up to a few mebibytes long, puts
// the table's bytes anywhere across the chunks handed to the sink and across the ends of the
// list's buffer, which a small table alone never reaches.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/document_frame.h"
#include "core/table_markup.h"
#include "fuzz_input.h"
#include "properties.h"
#include "tests/testkit/line_text.h"

namespace {

using tabulor::fuzz::Require;
using tabulor::testkit::TRecordingSink;

constexpr std::size_t MaxEarlierLength = (std::size_t{1} << 22) - 1;

// The prologue and the epilogue depend on nothing but the flag, so each is made alone once.
const std::string& HeaderAlone(bool xhtml)
{
    static const std::array<std::string, 2> headers = [] {
        std::array<std::string, 2> made;
        for (const bool flag : {false, true}) {
            tabulor::TOutputLines lines;
            tabulor::AddDocumentHeader(lines, flag ? tabulor::okXhtmlDocument : tabulor::okHtmlDocument, {});
            made[flag] = std::string(lines.Text());
        }
        return made;
    }();
    return headers[xhtml];
}

const std::string& FooterAlone()
{
    static const std::string footer = [] {
        tabulor::TOutputLines lines;
        tabulor::AddDocumentFooter(lines);
        return std::string(lines.Text());
    }();
    return footer;
}

// The element each element of a table page sits in directly; the root sits in none.
std::string_view ParentOf(std::string_view element)
{
    static constexpr std::pair<std::string_view, std::string_view> Parents[] = {
        {"html", ""}, {"head", "html"}, {"title", "head"}, {"body", "html"},
        {"table", "body"}, {"tr", "table"}, {"th", "tr"}, {"td", "tr"},
    };
    for (const auto& [child, parent] : Parents)
        if (child == element)
            return parent;
    tabulor::fuzz::Fail("only the elements of a table page appear", element);
}

// Declarations first, then one root element; every end tag closes the innermost open element;
// the text between tags is plain HTML text. Holds as long as the settings' texts are markup-free.
void CheckPageStructure(std::string_view page)
{
    std::vector<std::string_view> open;
    bool rootSeen = false;
    std::size_t at = 0;
    while (at < page.size()) {
        const std::size_t tagStart = page.find('<', at);
        tabulor::fuzz::CheckHtmlText(page.substr(at, tagStart - at));
        if (tagStart == std::string_view::npos)
            break;
        const std::size_t tagEnd = page.find('>', tagStart);
        Require(tagEnd != std::string_view::npos, "every tag ends with \">\"", page.substr(tagStart));
        const std::string_view tag = page.substr(tagStart + 1, tagEnd - tagStart - 1);
        at = tagEnd + 1;
        if (tag.starts_with('?') || tag.starts_with('!')) {
            Require(!rootSeen, "declarations come before the root element", tag);
        } else if (tag.starts_with('/')) {
            Require(!open.empty() && open.back() == tag.substr(1),
                    "an end tag closes the innermost open element", tag);
            open.pop_back();
        } else {
            const std::string_view element = tag.substr(0, tag.find(' '));
            Require(ParentOf(element) == (open.empty() ? "" : open.back()),
                    "each element sits directly inside its parent", tag);
            Require(open.size() > 0 || !rootSeen, "a page has one root element", tag);
            rootSeen = rootSeen || open.empty();
            open.push_back(element);
        }
    }
    Require(rootSeen && open.empty(), "the page ends with its root element closed", page.substr(at));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tabulor::fuzz::TFuzzInput input(data, size);
    const unsigned char choices = input.TakeByte();
    const bool xhtml = (choices & 1) != 0;
    std::size_t earlierLength = 0;
    if ((choices & 12) == 12) {
        for (int byte = 0; byte < 3; ++byte)
            earlierLength = earlierLength << 8 | input.TakeByte();
        earlierLength &= MaxEarlierLength;
    }
    tabulor::TTableSettings settings = input.TakeSettings(tabulor::fuzz::TTextKind::MarkupFree);
    if ((choices & 2) != 0)
        settings.EmptyCellText = "&nbsp;";
    const std::string_view source = input.CheckedSource();
    const std::string earlier(earlierLength, 'x');

    tabulor::TOutputLines table;
    table.AddLine(earlier);
    tabulor::AddTableLines(source, table, settings);
    Require(table.Text().substr(0, earlier.size() + 2) == earlier + "\r\n",
            "the table is added after what the list held, which stays as it was");
    const std::string_view tableAlone = table.Text().substr(earlier.size() + 2);

    TRecordingSink sink;
    tabulor::TOutputLines document(&sink);
    document.AddLine(earlier);
    tabulor::AddDocumentHeader(document, xhtml ? tabulor::okXhtmlDocument : tabulor::okHtmlDocument, settings);
    tabulor::AddTableLines(source, document, settings);
    tabulor::AddDocumentFooter(document);
    document.Flush();
    Require(document.Text().empty(), "Flush hands every byte to the sink", document.Text());

    std::string expected = earlier;
    expected.append("\r\n").append(HeaderAlone(xhtml)).append(tableAlone).append(FooterAlone());
    Require(sink.Bytes == expected,
            "the document is what the list held, then the prologue, the table unchanged and the epilogue");

    const std::string_view page = std::string_view(sink.Bytes).substr(earlier.size() + 2);
    tabulor::fuzz::OutputLines(page);
    Require(page.starts_with(xhtml ? "<?xml " : "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\""),
            "the page starts with the declarations of its kind", page);
    CheckPageStructure(page);
    return 0;
}

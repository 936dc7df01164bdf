#include "workbook/ods/paragraph_text.h"

#include "workbook/ods/opendocument_names.h"
#include "workbook/ods/repeat_count.h"
#include "workbook/workbook_fault.h"

namespace tabulor::ods {
namespace {

bool IsWhitespace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Text that starts and ends with no white space and holds none but single spaces between its
// words: what it shows is itself.
bool ShowsItself(std::string_view text)
{
    if (text.empty() || IsWhitespace(text.front()) || IsWhitespace(text.back()))
        return false;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) <= ' ' && IsWhitespace(c) && (c != ' ' || IsWhitespace(text[i + 1])))
            return false;
    }
    return true;
}

}  // namespace

void TParagraphText::StartParagraph()
{
    if (HasParagraph_)
        Out += '\n';
    HasParagraph_ = true;
    ParagraphStart = Out.size();
    PendingSpace = false;
}

void TParagraphText::AddElement(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes)
{
    if (name.Namespace != TextNamespace)
        return;
    if (name.Local == "s") {
        FlushPendingSpace();
        // A few bytes of XML must not ask for gigabytes: a sheet's text:s give so many spaces
        // at most, more than any sheet made to be read holds.
        const std::uint64_t count = ReadCount(attributes, TextNamespace, "c");
        if (count > SpacesLeft)
            ThrowInvalid();
        SpacesLeft -= count;
        Out.append(count, ' ');
    } else if (name.Local == "tab") {
        FlushPendingSpace();
        Out += '\t';
    } else if (name.Local == "line-break") {
        FlushPendingSpace();
        Out += '\n';
    }
}

// A run of white space waits for what follows it: at the paragraph's end it shows nothing.
void TParagraphText::AddCharacters(std::string_view text)
{
    if (ShowsItself(text)) {
        FlushPendingSpace();
        Out += text;
        return;
    }
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsWhitespace(text[i])) {
            PendingSpace = Out.size() > ParagraphStart;
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && !IsWhitespace(text[end]))
            ++end;
        FlushPendingSpace();
        Out.append(text.data() + i, end - i);
        i = end;
    }
}

void TParagraphText::FlushPendingSpace()
{
    if (PendingSpace)
        Out += ' ';
    PendingSpace = false;
}

}  // namespace tabulor::ods

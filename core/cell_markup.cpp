#include "cell_markup.h"

#include <algorithm>
#include <cstring>

#include "cell_encoding.h"

namespace tabulor {

namespace {

char* Copy(std::string_view text, char* out)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// A cell's or row's opening tag with its class, if any: "<td class=\"c\">".
std::string OpeningTag(std::string_view tag, const std::string& className)
{
    std::string result(1, '<');
    result += tag;
    if (!className.empty())
        result.append(" class=\"").append(className).append("\"");
    return result += '>';
}

}  // namespace

TCellMarkup::TCellMarkup(const TTableSettings& settings, bool xhtml)
    : RowTag("  " + OpeningTag("tr", settings.RowClass)),
      HeaderTag(OpeningTag("th", settings.HeaderClass)),
      DataTag(OpeningTag("td", settings.CellClass)),
      EmptyText(settings.EmptyCellText),
      BreakText(xhtml ? "<br />" : "<br>"),
      HeaderRows(HeaderCount(settings.TitleRows)),
      HeaderCols(HeaderCount(settings.TitleCols))
{
}

// The other attributes go after the class attribute.
char* TCellMarkup::WriteOpeningTag(bool header, std::string_view attributes, char* out) const
{
    if (attributes.empty())
        return Copy(Tag(header), out);
    out = Copy(attributes, Copy(TagStart(header), out));
    *out++ = '>';
    return out;
}

void TCellMarkup::AddCell(bool header, std::string_view attributes, std::string_view text,
                          TOutputLines& output) const
{
    const std::string_view close = ClosingTag(header);
    const std::size_t markup = Tag(header).size() + attributes.size() + EmptyText.size() + close.size();
    std::size_t at = 0;
    do {
        const std::size_t stop = std::min(text.size(), at + CellTextBlock);
        // No byte's text is longer than a character's, and a character takes a byte at least.
        char* out = output.BeginWrite(markup + (stop - at) * MaxCharacterText);
        if (at == 0)
            out = WriteOpeningTag(header, attributes, out);
        if (text.empty())
            out = Copy(EmptyText, out);
        at = WriteUtf8Text(text, at, stop, BreakText, out);
        if (at == text.size())
            out = Copy(close, out);
        output.EndWrite(out);
        output.FlushIfFull();
    } while (at < text.size());
}

}  // namespace tabulor

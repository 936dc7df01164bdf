#include "document_frame.h"

#include <algorithm>
#include <array>
#include <string>

#include "cell_encoding.h"
#include "resources/string_table.h"

namespace tabulor {

namespace {

void AddRoot(TOutputLines& output, TOutputKind kind, bool linkHeaders)
{
    switch (kind) {
    case okXhtmlDocument:
        output.AddLine("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>");
        output.AddLine("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \"xhtml11.dtd\">");
        output.Append("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"");
        output.Append(strings::SDocumentLanguage);
        output.AddLine("\">");
        return;
    case okHtml5Document:
        output.AddLine("<!DOCTYPE html>");
        break;
    default:
        output.AddLine("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
                       "\"http://www.w3.org/TR/REC-html40/strict.dtd\">");
        if (!linkHeaders) {
            output.AddLine("<html>");
            return;
        }
    }
    output.Append("<html lang=\"");
    output.Append(strings::SDocumentLanguage);
    output.AddLine("\">");
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

bool IsCssLength(std::string_view border)
{
    constexpr std::array<std::string_view, 8> units = {"px", "em", "ex", "in", "cm", "mm", "pt", "pc"};
    std::size_t at = 0;
    while (at < border.size() && IsDigit(border[at]))
        ++at;
    const std::size_t whole = at;
    if (at < border.size() && border[at] == '.') {
        const std::size_t point = ++at;
        while (at < border.size() && IsDigit(border[at]))
            ++at;
        if (at == point)
            return false;
    } else if (whole == 0) {
        return false;
    }
    const std::string_view unit = border.substr(at);
    return std::find(units.begin(), units.end(), unit) != units.end();
}

void AddDocumentHeader(TOutputLines& output, TOutputKind kind, const TTableSettings& settings)
{
    AddRoot(output, kind, settings.LinkHeaders);
    output.AddLine("");
    output.AddLine("<head>");
    if (kind == okHtml5Document)
        output.AddLine("  <meta charset=\"utf-8\">");
    output.Append("  <title>");
    output.Append(settings.Caption.empty() ? std::string(strings::SDocumentTitle) : EncodeUtf8Text(settings.Caption, " "));
    output.AddLine("</title>");
    if (kind == okHtml5Document && IsCssLength(settings.Border)) {
        // What the border attribute draws in browsers.
        output.Append("  <style>table { border: ");
        output.Append(settings.Border);
        output.AddLine(" outset; } th, td { border: 1px inset; }</style>");
    }
    output.AddLine("</head>");
    output.AddLine("");
    output.AddLine("<body>");
    output.AddLine("");
}

void AddDocumentFooter(TOutputLines& output)
{
    output.AddLine("");
    output.AddLine("</body>");
    output.AddLine("");
    output.AddLine("</html>");
}

}  // namespace tabulor

#include "document_frame.h"

#include "resources/string_table.h"

namespace tabulor {

void AddDocumentHeader(TOutputLines& output, bool xhtml)
{
    if (xhtml) {
        output.AddLine("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>");
        output.AddLine("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \"xhtml11.dtd\">");
        output.Append("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"");
        output.Append(strings::SDocumentLanguage);
        output.AddLine("\">");
    } else {
        output.AddLine("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
                       "\"http://www.w3.org/TR/REC-html40/strict.dtd\">");
        output.AddLine("<html>");
    }
    output.AddLine("");
    output.AddLine("<head>");
    output.Append("  <title>");
    output.Append(strings::SDocumentTitle);
    output.AddLine("</title>");
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

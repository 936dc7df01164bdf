// The document prologue and epilogue that surround the table in a full HTML 4.0, XHTML 1.1 or
// HTML5 page.
#pragma once

#include <string_view>

#include "output_lines.h"
#include "table_settings.h"

namespace tabulor {

enum TOutputKind { okTableOnly, okHtmlDocument, okXhtmlDocument, okHtml5Document };

// Whether the border is a CSS length: a number, then one of the border unit list's units.
bool IsCssLength(std::string_view border);

// The page's title is the caption, where there is one. The HTML 4.0 root names the page's
// language where cells are tied to their headers; the HTML5 page always does, and draws the
// border that its table cannot carry as an attribute with a style element.
void AddDocumentHeader(TOutputLines& output, TOutputKind kind, const TTableSettings& settings);
void AddDocumentFooter(TOutputLines& output);

}  // namespace tabulor

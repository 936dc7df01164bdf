// The document prologue and epilogue that surround the table in a full HTML or XHTML page.
#pragma once

#include "output_lines.h"

namespace tabulor {

void AddDocumentHeader(TOutputLines& output, bool xhtml);
void AddDocumentFooter(TOutputLines& output);

}  // namespace tabulor

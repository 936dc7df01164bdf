// The conversion core: turns a spreadsheet saved as text (Windows-1252, UTF-8 or UTF-16; tab,
// semicolon or comma between fields) into an HTML table, a full HTML 4.0 Strict document or a
// full XHTML 1.1 document.
//
// The core knows nothing of windows or dialogs and validates nothing: every text of the request
// goes to the output as it stands, and a negative header count simply means none. Its only
// reports are the errors of the file operations.
#pragma once

#include <filesystem>

#include "output_lines.h"
#include "source_format.h"
#include "source_text.h"
#include "table_settings.h"

namespace tabulor {

enum TOutputKind { okTableOnly, okHtmlDocument, okXhtmlDocument };

// One conversion request: the table's settings, the two files and what the destination holds.
// It has no defaults of its own: the window fills every field.
struct TConversionSettings : TTableSettings {
    std::filesystem::path SourceFileName;
    std::filesystem::path DestFileName;
    TOutputKind OutputKind{};
    TSourceEncoding SourceEncoding{};
    TFieldSeparator FieldSeparator{};
};

// Reads the source whole, writes the destination. On failure the destination is left as it was
// (unless it is a device or a pipe, which are written in place) and one of the errors of
// file_errors.h is thrown with its French text in UTF-8.
void RunConversion(const TConversionSettings& settings);

// The destination's lines for the decoded source: the document frame, if any, and the table.
// Throws ETextFault for a quoted field still open at the source's end.
void AddDocumentLines(const TSourceText& source, TOutputLines& output, const TConversionSettings& settings);

}  // namespace tabulor

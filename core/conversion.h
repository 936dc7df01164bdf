// The conversion core: turns a tab-separated Windows-1252 text file into an HTML table, a full
// HTML 4.0 Strict document or a full XHTML 1.1 document.
//
// The core knows nothing of windows or dialogs and validates nothing: every text of the request
// goes to the output as it stands. Its only reports are the errors of the file operations.
#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "output_lines.h"
#include "source_lines.h"

namespace tabulor {

enum TOutputKind { okTableOnly, okHtmlDocument, okXhtmlDocument };

// One conversion request. Texts hold Windows-1252 bytes and are written verbatim.
// The defaults are those of the main window as it starts.
struct TConversionSettings {
    std::filesystem::path SourceFileName;
    std::filesystem::path DestFileName;
    int TitleRows = 1;
    int TitleCols = 0;
    std::string Border = "1px";
    std::string EmptyCellText = "&nbsp;";
    std::string TableClass;
    std::string RowClass;
    std::string HeaderClass;
    std::string CellClass;
    TOutputKind OutputKind = okTableOnly;
};

// The source cannot be opened or read.
class EFOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The destination cannot be created.
class EFCreateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The destination could not be written completely.
class EWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the source whole, writes the destination. On failure the destination is left as it was
// (unless it is a device or a pipe, which are written in place) and one of the errors above is
// thrown with its French text in UTF-8.
void RunConversion(const TConversionSettings& settings);

// The document prologue and epilogue around the table.
void AddDocumentHeader(TOutputLines& output, bool xhtml);
void AddDocumentFooter(TOutputLines& output);

// Appends the table: the opening line, one line per source line, the closing line.
// Only the title counts, the border, the empty-cell text and the classes of the settings are read.
void AddTableLines(const TSourceLines& source, TOutputLines& output,
                   const TConversionSettings& settings);

// The number of bytes of text equal to separator.
std::size_t CountOccurrences(char separator, std::string_view text);

// Field number n of text (counted from 1; n of 1 or less is the first field), or an empty
// view when text has fewer than n - 1 separators.
std::string_view GetDelimitedField(std::string_view text, char separator, long long n);

// The cell's HTML text: the empty-cell text for an empty field, else the field with the markup
// characters and every byte from 0x80 up replaced by entity references.
std::string EncodeCellText(std::string_view field, std::string_view emptyCellText);

}  // namespace tabulor

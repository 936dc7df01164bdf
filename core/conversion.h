// The conversion core: turns a spreadsheet saved as text (Windows-1252, UTF-8 or UTF-16; tab,
// semicolon or comma between fields), or a sheet of an .xlsx or .ods workbook, into an HTML table,
// a full HTML 4.0 Strict document, a full XHTML 1.1 document or a full HTML5 document.
//
// The core knows nothing of windows or dialogs and validates nothing: every text of the request
// goes to the output as it stands, and every header count is taken as HeaderCount takes it. Its
// only reports are the errors of the file operations.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "document_frame.h"
#include "output_lines.h"
#include "source_format.h"
#include "source_text.h"
#include "table_markup.h"
#include "table_settings.h"

namespace tabulor {

// One conversion request: the table's settings, the two files and what the destination holds.
// It has no defaults of its own: the window fills every field.
struct TConversionSettings : TTableSettings {
    std::filesystem::path SourceFileName;
    std::filesystem::path DestFileName;
    TOutputKind OutputKind{};
    TSourceEncoding SourceEncoding{};
    TFieldSeparator FieldSeparator{};
    // The workbook's sheet, in UTF-8, matched exactly; empty for the one the workbook layer
    // shows for no name.
    // A text source has no sheets and ignores it.
    std::string SheetName;
    // The rows and columns that the workbook's sheet hides are written too, as the file holds
    // them; a text source hides none.
    bool KeepHidden{};

    friend bool operator==(const TConversionSettings&, const TConversionSettings&) = default;
};

// What a run noticed that the user should hear of.
struct TConversionReport {
    // Formula cells of the sheet that had no stored value and stayed empty: 0 for text.
    std::size_t FormulasWithoutValue = 0;
    // The sheet's hidden rows and columns that were left out, counted inside the rectangle that
    // keeping them would have written: 0 for text, and when they were kept.
    std::size_t HiddenRows = 0;
    std::size_t HiddenCols = 0;
};

// Reads the source whole, writes the destination: a source that starts as a zip archive or a
// compound file does is a workbook, whatever the encoding and separator say. On failure the
// destination is left as it was (unless it is a device or a pipe, which are written in place) and
// one of the errors of file_errors.h is thrown with its French text in UTF-8.
TConversionReport RunConversion(const TConversionSettings& settings);

// The same run with the destination's bytes going to destination as they are made, as standard
// output takes them; settings.DestFileName names only the ids' stem (an empty one gives
// "tableau"). A failure may leave part of the table written.
TConversionReport RunConversion(const TConversionSettings& settings, TByteSink& destination);

// The destination's lines for the decoded source: the document frame, if any, and the table.
// Throws ETextFault for a quoted field still open at the source's end. blockSize is the table's.
void AddDocumentLines(const TSourceText& source, TOutputLines& output, const TConversionSettings& settings,
                      std::size_t blockSize = TableBlockSize);

// The destination's lines for the sheet that settings.SheetName names in the workbook's bytes, as
// a run writes them. Throws EWorkbookError, naming settings.SourceFileName, for one it cannot read.
void AddWorkbookDocumentLines(std::string_view workbook, TOutputLines& output, const TConversionSettings& settings);

}  // namespace tabulor

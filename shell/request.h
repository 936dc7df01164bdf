// The conversion request that the main window fills from what its controls hold.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/conversion.h"
#include "shell/layout.h"

namespace tabulor {

// The controls' contents, as the front end reads them.
struct TFormFields {
    std::u16string SourceFileName;
    std::u16string DestFileName;
    std::u16string TitleRows;
    std::u16string TitleCols;
    bool Border = false;
    std::u16string BorderValue;
    std::u16string BorderUnit;
    std::u16string EmptyCells;
    std::u16string TableClass;
    std::u16string RowClass;
    std::u16string HeaderClass;
    std::u16string CellClass;
    bool OutputTable = false;
    bool OutputXhtml = false;
    bool OutputHtml5 = false;
    bool LinkHeaders = false;
    std::u16string Caption;
    bool KeepHidden = false;
    // The selected entries' indexes.
    int SourceEncoding = 0;
    int FieldSeparator = 0;
    std::u16string SheetName;
};

// How a front end reads its controls: the text of an edit, a spin field or a drop-down list's
// selected entry, whether a box or an option is ticked, and the index of a list's selected entry
// (-1 for none). The sheet list's text is the selected sheet's own name (TSheetChoice::Name),
// without the entry's mark of a hidden sheet; empty for an empty list. The encoding and separator
// lists are read by index, so that their entries' words stay the shell's alone; the border unit
// by text, which joins the border's value.
struct TControlReader {
    std::function<std::u16string(TControlId id)> Text;
    std::function<bool(TControlId id)> Checked;
    std::function<int(TControlId id)> Selected;
};
TFormFields ReadFormFields(const TControlReader& read);

// The two file fields, which a chosen or dropped file changes. Written back, a field whose text
// stays as it is is left alone, so that it keeps its caret, selection and undo.
struct TFileFields;
using TTextWriter = std::function<void(TControlId id, std::u16string_view text)>;
TFileFields ReadFileFields(const TControlReader& read);
void WriteFileFields(const TFileFields& fields, const TControlReader& read, const TTextWriter& write);

// The fields as the window starts, from its layout: every list at its first entry.
TFormFields InitialFormFields();

// What a field or a drop-down list holds as the window starts: the table's text, or the list's
// first entry (none for the sheet list).
std::u16string TextAtStart(TControlId id);

// Nothing is trimmed or checked: texts pass unchanged, only turned into Windows-1252 and file
// names into paths. A header count is its field's value, a negative one too. An
// unticked border gives no border whatever value and unit hold; a ticked one joins them with
// nothing between. The HTML document is what remains when no other output is selected. The
// encoding and the separator are those that the lists' selected entries stand for (their first
// for an index out of the list); the sheet's name and the caption, which the core encodes as a
// cell's text, go in UTF-8.
TConversionSettings MakeConversionSettings(const TFormFields& fields);

}  // namespace tabulor

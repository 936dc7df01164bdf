// What the source field names, and the list of the sheets of the workbook it names. It reads the
// source's first bytes and a workbook's list of sheets, never a sheet's cells, and reports no
// error: a workbook that cannot be read lists no sheet, and the run says why.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/layout.h"
#include "workbook/sheet_entry.h"

namespace tabulor {

// What the sheet list shows after a hidden sheet's name.
inline constexpr std::u16string_view HiddenSheetMark = u" (masquée)";

struct TSheetChoice {
    // As the list shows it.
    std::u16string Entry;
    // The sheet's own name, which the request takes.
    std::u16string Name;
    friend bool operator==(const TSheetChoice&, const TSheetChoice&) = default;
};

struct TSheetList {
    // Every sheet, in the workbook's order.
    std::vector<TSheetChoice> Choices;
    // The index of the choice selected; 0 for an empty list, which selects none.
    std::size_t Selected = 0;
};

// The list of sheets, the one named previousName (the choice of the list before) selected when
// there is one, else the one a run reads when it names no sheet (FirstShownSheet).
TSheetList MakeSheetList(std::span<const TSheetEntry> sheets, std::u16string_view previousName);

// What the source field names: its view, and for a workbook its sheets.
struct TSourceState {
    TSourceView View = TSourceView::Text;
    // Empty for a text, and for a workbook that cannot be read.
    TSheetList Sheets;
};

// The file is opened once and told by its first bytes: a zip archive is a workbook, and so is a
// compound file (an .xls, or a workbook protected by a password), whose run tells why it cannot
// be read; only a workbook is read whole, for its sheets. One that does not open (not there yet,
// or out of reach) is told by its extension, as IsWorkbookExtension tells it, and lists no
// sheet. previousSheet is kept selected where the workbook has it, as MakeSheetList does.
TSourceState SourceStateOf(std::u16string_view sourceFileName, std::u16string_view previousSheet);

}  // namespace tabulor

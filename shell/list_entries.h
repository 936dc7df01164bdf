// The entries of the main window's drop-down lists, and the source format that the selected
// entries of the encoding and separator lists stand for.
#pragma once

#include <span>
#include <string>

#include "core/source_format.h"
#include "shell/layout.h"

namespace tabulor {

// The entries of the drop-down list, in the order shown; the first is selected at start. The
// sheet list has none: a workbook's sheets fill it (sheet_list.h). Throws std::out_of_range for a
// control that is no list.
std::span<const std::u16string> ListEntries(TControlId id);

// What the entry at index of ComboBoxSourceEncoding or ComboBoxFieldSeparator stands for; an
// index out of the list, as for a list with nothing selected, stands for its first entry.
TSourceEncoding SourceEncodingAt(int index);
TFieldSeparator FieldSeparatorAt(int index);

}  // namespace tabulor

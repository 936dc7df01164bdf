// The entries of the main window's drop-down lists, and the source format that the selected
// entries of the encoding and separator lists stand for.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/source_format.h"

namespace tabulor {

// The entries of the drop-down list named name, in the order shown; the first is selected at
// start. Throws std::out_of_range for a name that is no list of the window.
std::span<const std::u16string> ListEntries(std::string_view name);

// What an entry of ComboBoxSourceEncoding or ComboBoxFieldSeparator stands for; a text that is
// none of the list's entries stands for its first.
TSourceEncoding SourceEncodingOf(std::u16string_view entry);
TFieldSeparator FieldSeparatorOf(std::u16string_view entry);

}  // namespace tabulor

// How the program's messages read.
#pragma once

#include <string>
#include <string_view>

#include "core/conversion.h"

namespace tabulor {

// An error's text as the error box shows it: one full stop is appended when the last character
// comes after the full stop in the character table. Nothing is added to an empty text, nor after
// a full stop, a space, a closing parenthesis or the like.
std::u16string WithFinalFullStop(std::u16string_view text);

// The notice after a run: the file is created, and a second line, after "\n", when formula cells
// stayed empty for want of a stored value.
std::u16string NoticeText(const TConversionReport& report);

// The caption of the notice's one button.
std::u16string NoticeButtonCaption();

// The notice of text as Ctrl+C copies it, as Windows' message boxes are copied: the window's
// caption, the text and the button's caption, each between lines of 27 hyphens, each line ended
// by lineEnd: a line feed where the clipboard makes the platform's line ends itself, carriage
// return and line feed on the Windows clipboard.
std::u16string NoticeClipboardText(std::u16string_view text, std::u16string_view lineEnd = u"\n");

}  // namespace tabulor

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

// What a run has to say besides that the file is created, one line each, between them "\n":
// formula cells that stayed empty for want of a stored value, then hidden rows and columns left
// out. Empty when there is nothing.
std::u16string NoticeLines(const TConversionReport& report);

// The notice after a run: the file is created, then NoticeLines, after "\n".
std::u16string NoticeText(const TConversionReport& report);

// The text of the notice's one button.
std::u16string NoticeButtonText();

// The notice of text as Ctrl+C copies it, as Windows' message boxes are copied: the window's
// title, the text and the button's text, each between lines of 27 hyphens, each line ended
// by lineEnd: a line feed where the clipboard makes the platform's line ends itself, carriage
// return and line feed on the Windows clipboard.
std::u16string NoticeClipboardText(std::u16string_view text, std::u16string_view lineEnd = u"\n");

}  // namespace tabulor

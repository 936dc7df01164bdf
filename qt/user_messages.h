// How the program's messages read.
#pragma once

#include <QString>
#include <QStringList>

namespace tabulor {

// An error's text as the error box shows it: one full stop is appended when the last character
// comes after the full stop in the character table. Nothing is added to an empty text, nor
// after a full stop, a space, a closing parenthesis or the like.
QString WithFinalFullStop(const QString& text);

// A notice as Ctrl+C copies it: the caption, the text and the button captions, each block
// between lines of hyphens.
QString NoticeClipboardText(const QString& caption, const QString& text,
                            const QStringList& buttonCaptions);

}  // namespace tabulor

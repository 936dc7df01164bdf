// How the source file is written: the encoding of its text and the character between its fields.
#pragma once

#include <string_view>

namespace tabulor {

// Automatic reads a byte-order mark, then the zero bytes of UTF-16 text, then tries UTF-8, and
// takes Windows-1252 when the text is not UTF-8.
enum TSourceEncoding { seWindows1252, seUtf8, seUtf16, seAutomatic };

// With a tab, quotes are cell text. With a semicolon or a comma, quotes are read as a
// spreadsheet's CSV export writes them.
enum TFieldSeparator { fsTab, fsSemicolon, fsComma };

// The encoding that a malformed text was read as, as the error messages name it. An automatic
// read settles on one of the others before it can find a text malformed, so it has no name here.
constexpr std::string_view EncodingName(TSourceEncoding encoding)
{
    switch (encoding) {
    case seWindows1252:
        return "Windows-1252";
    case seUtf8:
        return "UTF-8";
    case seUtf16:
        return "UTF-16";
    case seAutomatic:
        break;
    }
    return {};
}

constexpr char SeparatorByte(TFieldSeparator separator)
{
    switch (separator) {
    case fsSemicolon:
        return ';';
    case fsComma:
        return ',';
    case fsTab:
        break;
    }
    return '\t';
}

}  // namespace tabulor

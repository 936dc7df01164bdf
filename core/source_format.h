// How the source file is written: the encoding of its text and the character between its fields.
#pragma once

#include <string_view>

namespace tabulor {

// Automatic reads a byte-order mark, then the zero bytes of UTF-16 text, then tries UTF-8, and
// takes Windows-1252 when the text is not UTF-8.
enum class TSourceEncoding { Windows1252, Utf8, Utf16, Automatic };

// With a tab, quotes are cell text. With a semicolon or a comma, quotes are read as a
// spreadsheet's CSV export writes them.
enum class TFieldSeparator { Tab, Semicolon, Comma };

// The encoding that a malformed text was read as, as the error messages name it. An automatic
// read settles on one of the others before it can find a text malformed, so it has no name here.
constexpr std::string_view EncodingName(TSourceEncoding encoding)
{
    switch (encoding) {
    case TSourceEncoding::Windows1252:
        return "Windows-1252";
    case TSourceEncoding::Utf8:
        return "UTF-8";
    case TSourceEncoding::Utf16:
        return "UTF-16";
    case TSourceEncoding::Automatic:
        break;
    }
    return {};
}

constexpr char SeparatorByte(TFieldSeparator separator)
{
    switch (separator) {
    case TFieldSeparator::Semicolon:
        return ';';
    case TFieldSeparator::Comma:
        return ',';
    case TFieldSeparator::Tab:
        break;
    }
    return '\t';
}

}  // namespace tabulor

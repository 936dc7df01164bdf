// The source file's bytes as the table reads them: Windows-1252 bytes, or UTF-8 for a Unicode
// source. Decoding finds the encoding where asked to, skips a byte-order mark, drops the NULs
// that pad the end and checks the whole text before a byte of the table is written.
//
// It does not copy the text: UTF-16 becomes UTF-8 where it lies, in the file's own buffer, unless
// its UTF-8 would overtake the UTF-16 still to be read.
#pragma once

#include <string_view>

#include "file_io.h"
#include "source_format.h"

namespace tabulor {

struct TSourceText {
    std::string_view Text;
    bool Utf8 = false;
};

// Throws ETextFault for a NUL before the end, a malformed sequence, an unpaired surrogate or an
// odd final byte of UTF-16; its line is the first fault's.
TSourceText DecodeSource(TFileContents& contents, TSourceEncoding encoding);

}  // namespace tabulor

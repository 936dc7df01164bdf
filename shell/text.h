// The texts that pass between the core's UTF-8 and Windows-1252 strings and the windows' UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace tabulor {

// UTF-8 as UTF-16; a malformed sequence becomes U+FFFD.
std::u16string FromUtf8(std::string_view utf8);

// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// One byte per character. A character that Windows-1252 cannot hold, an unpaired surrogate
// included, becomes one "?": no best-fit look-alike, which would write a text the user did not
// type. The five bytes that Windows-1252 leaves unassigned stand for the control characters of
// the same code.
std::string ToWindows1252(std::u16string_view text);

// The capital letters of ASCII and Latin-1 as small ones (the multiplication sign is none), every
// other character as it stands.
std::u16string ToLowerLatin1(std::u16string_view text);

}  // namespace tabulor

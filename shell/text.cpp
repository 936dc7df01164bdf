#include "shell/text.h"

#include "core/utf8.h"
#include "core/windows1252.h"

namespace tabulor {
namespace {

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The character that starts at text[position], a surrogate pair being one, moving position past
// it; a surrogate out of its pair reads as U+FFFD.
char32_t NextCharacter(std::u16string_view text, std::size_t& position)
{
    const char16_t unit = text[position++];
    if (IsHighSurrogate(unit) && position < text.size() && IsLowSurrogate(text[position]))
        return 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[position++]) - 0xDC00);
    return IsHighSurrogate(unit) || IsLowSurrogate(unit) ? 0xFFFD : unit;
}

}  // namespace

std::u16string FromUtf8(std::string_view utf8)
{
    std::u16string text;
    text.reserve(utf8.size());
    for (std::size_t position = 0; position < utf8.size();) {
        char32_t code = DecodeUtf8(utf8, position);
        if (code == MalformedCharacter)
            code = 0xFFFD;
        if (code < 0x10000) {
            text.push_back(static_cast<char16_t>(code));
        } else {
            text.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
    }
    return text;
}

std::string ToUtf8(std::u16string_view text)
{
    std::string utf8;
    utf8.reserve(text.size());
    for (std::size_t position = 0; position < text.size();) {
        char bytes[4];
        utf8.append(bytes, EncodeUtf8(NextCharacter(text, position), bytes));
    }
    return utf8;
}

std::u16string ToLowerLatin1(std::u16string_view text)
{
    std::u16string lower(text);
    for (char16_t& c : lower) {
        if ((c >= u'A' && c <= u'Z') || (c >= u'\u00c0' && c <= u'\u00de' && c != u'\u00d7'))
            c = static_cast<char16_t>(c + 0x20);
    }
    return lower;
}

// A character beyond the basic plane is one character, and one "?".
std::string ToWindows1252(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t position = 0; position < text.size();)
        bytes.push_back(static_cast<char>(Windows1252Byte(NextCharacter(text, position)).value_or('?')));
    return bytes;
}

}  // namespace tabulor

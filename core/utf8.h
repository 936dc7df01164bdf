// UTF-8: reading one character, checking a whole text, writing one character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tabulor {

inline constexpr char32_t MalformedCharacter = 0xFFFFFFFF;

// The character that starts at text[position], moving position past it; MalformedCharacter, moving past
// one byte, where the bytes there are no well-formed UTF-8 (an overlong form, a surrogate, a
// value beyond U+10FFFF or a sequence cut short).
char32_t DecodeUtf8(std::string_view text, std::size_t& position);

// Where the first byte is that is no part of well-formed UTF-8, a NUL counted as one; npos for a
// text that is UTF-8 throughout. The text is checked in that many parts at once; with none
// given, a large text in as many as there are cores.
std::size_t FirstMalformedUtf8(std::string_view text, unsigned parts = 0);

// How many bytes the character's UTF-8 takes.
constexpr std::size_t Utf8Length(char32_t character)
{
    return character < 0x80 ? 1 : character < 0x800 ? 2 : character < 0x10000 ? 3 : 4;
}

// Appends the character's UTF-8, which takes Utf8Length(character) bytes.
char* EncodeUtf8(char32_t character, char* out);

}  // namespace tabulor

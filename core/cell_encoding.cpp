#include "cell_encoding.h"

#include <charconv>
#include <cstring>

#include "windows1252.h"

namespace tabulor {

char* WriteCharacterText(char32_t character, char* out)
{
    constexpr std::string_view replacement = "&#65533;";
    std::string_view text;
    if (character <= 0x9F || character == 0xFFFE || character == 0xFFFF || character > 0x10FFFF)
        text = replacement;
    else if (const auto byte = Windows1252Byte(character))
        text = ByteReplacement(*byte);
    if (!text.empty()) {
        std::memcpy(out, text.data(), text.size());
        return out + text.size();
    }
    *out++ = '&';
    *out++ = '#';
    out = std::to_chars(out, out + 7, static_cast<unsigned long>(character)).ptr;
    *out++ = ';';
    return out;
}

}  // namespace tabulor

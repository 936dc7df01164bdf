#include "cell_encoding.h"

#include <array>
#include <charconv>
#include <cstring>

#include "utf8.h"
#include "windows1252.h"

namespace tabulor {

namespace {

std::array<bool, 256> MakePlainBytes()
{
    std::array<bool, 256> plain{};
    for (unsigned byte = 0; byte < 0x80; ++byte)
        plain[byte] = byte != '\r' && byte != '\n' && ByteReplacement(static_cast<unsigned char>(byte)).empty();
    return plain;
}

// The bytes that stand for themselves, written a run at a time.
const std::array<bool, 256> PlainBytes = MakePlainBytes();

char* Copy(std::string_view text, char* out)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

}  // namespace

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

std::size_t WriteUtf8Text(std::string_view text, std::size_t at, std::size_t stop, std::string_view lineBreak,
                          char*& out)
{
    while (at < stop) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (PlainBytes[byte]) {
            const std::size_t start = at;
            while (at < stop && PlainBytes[static_cast<unsigned char>(text[at])])
                ++at;
            out = Copy(text.substr(start, at - start), out);
        } else if (byte >= 0x80) {
            out = WriteCharacterText(DecodeUtf8(text, at), out);
        } else if (byte == '\r' || byte == '\n') {
            out = Copy(lineBreak, out);
            at += byte == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
        } else {
            out = Copy(ByteReplacement(byte), out);
            ++at;
        }
    }
    return at;
}

std::string EncodeUtf8Text(std::string_view text, std::string_view lineBreak)
{
    std::string encoded(text.size() * MaxCharacterText, '\0');
    char* out = encoded.data();
    WriteUtf8Text(text, 0, text.size(), lineBreak, out);
    encoded.resize(static_cast<std::size_t>(out - encoded.data()));
    return encoded;
}

}  // namespace tabulor

#include "cell_encoding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>

#include "byte_finder.h"
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

// A byte's entity reference, or that of the character U+0080 to U+00FF of the same value, in a
// slot copied whole and then cut to its length: one fixed copy rather than a copy of a length.
struct TSlot {
    char Text[8];
    std::size_t Length;
};

std::array<TSlot, 256> MakeSlots()
{
    std::array<TSlot, 256> slots{};
    for (std::size_t byte = 0; byte < slots.size(); ++byte) {
        const std::string_view text = ByteReplacement(static_cast<unsigned char>(byte));
        for (std::size_t i = 0; i < text.size(); ++i)
            slots[byte].Text[i] = text[i];
        slots[byte].Length = text.size();
    }
    return slots;
}

const std::array<TSlot, 256> Slots = MakeSlots();
static_assert(std::ranges::all_of(CharEntities, [](const std::string_view& text) { return text.size() <= sizeof TSlot::Text; }));
static_assert(MaxCharacterText >= sizeof TSlot::Text);

char* WriteSlot(std::size_t index, char* out)
{
    std::memcpy(out, Slots[index].Text, sizeof Slots[index].Text);
    return out + Slots[index].Length;
}

char* Copy(std::string_view text, char* out)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

#ifdef TABULOR_VECTOR_SCAN
const TByteFinder<5> SpecialBytes({'&', '<', '>', '\r', '\n'});
#endif

// Copies the plain bytes from at on, up to stop, and returns where they end.
std::size_t CopyPlain(const char* bytes, std::size_t at, std::size_t stop, char*& out)
{
#ifdef TABULOR_VECTOR_SCAN
    while (stop - at >= ScanWidth) {
        const unsigned found = SpecialBytes.Find(bytes + at);
        std::memcpy(out, bytes + at, ScanWidth);
        const std::size_t plain = found == 0 ? ScanWidth : static_cast<std::size_t>(std::countr_zero(found));
        out += plain;
        at += plain;
        if (found != 0)
            return at;
    }
#endif
    while (at < stop && PlainBytes[static_cast<unsigned char>(bytes[at])])
        *out++ = bytes[at++];
    return at;
}

// The character from U+00A0 to U+00FF whose two bytes start at text[at], or 0: the accented
// letters and the no-break space that French texts are full of, written without decoding.
std::size_t Latin1At(std::string_view text, std::size_t at)
{
    if (at + 1 >= text.size())
        return 0;
    const auto lead = static_cast<unsigned char>(text[at]);
    const auto next = static_cast<unsigned char>(text[at + 1]);
    if ((lead == 0xC2 && next >= 0xA0 && next <= 0xBF) || (lead == 0xC3 && next >= 0x80 && next <= 0xBF))
        return (lead & 0x1Fu) << 6 | (next & 0x3Fu);
    return 0;
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
    // A local, not the caller's variable, so that it stays in a register.
    char* o = out;
    while (at < stop) {
        at = CopyPlain(text.data(), at, stop, o);
        if (at >= stop)
            break;
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte == '\r' || byte == '\n') {
            o = Copy(lineBreak, o);
            at += byte == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
        } else if (byte < 0x80) {
            o = WriteSlot(byte, o);
            ++at;
        } else if (const std::size_t latin1 = Latin1At(text, at)) {
            o = WriteSlot(latin1, o);
            at += 2;
        } else {
            o = WriteCharacterText(DecodeUtf8(text, at), o);
        }
    }
    out = o;
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

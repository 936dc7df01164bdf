// Decoding on any bytes and any encoding: a decoded Unicode text is UTF-8 throughout, a decoded
// text holds no NUL, UTF-8 comes out as it went in less its mark and padding, UTF-16 turns back
// into the units it came from, and a fault stands on a line the text has.
//
// Input: a byte that picks the encoding, then the file's bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/file_errors.h"
#include "core/source_text.h"
#include "core/utf8.h"
#include "fuzz_input.h"
#include "properties.h"

namespace {

using namespace tabulor;
using tabulor::fuzz::Require;

std::u16string Utf16Units(std::string_view bytes, bool bigEndian)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return units;
}

std::u16string Utf16FromUtf8(std::string_view text)
{
    std::u16string units;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t character = DecodeUtf8(text, at);
        if (character < 0x10000) {
            units += static_cast<char16_t>(character);
        } else {
            units += static_cast<char16_t>(0xD800 + ((character - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
        }
    }
    return units;
}

// What a UTF-16 file holds once its mark and its padding of NUL units are taken away.
std::u16string ExpectedUnits(std::string_view bytes)
{
    const bool marked = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    std::u16string units = Utf16Units(marked ? bytes.substr(2) : bytes, bytes.starts_with("\xFE\xFF"));
    while (!units.empty() && units.back() == 0)
        units.pop_back();
    return units;
}

void CheckDecoded(std::string_view bytes, TSourceEncoding encoding, const TSourceText& text)
{
    Require(text.Text.find('\0') == std::string_view::npos, "a decoded text holds no NUL", text.Text);
    if (text.Utf8)
        Require(FirstMalformedUtf8(text.Text) == std::string_view::npos, "a Unicode text is UTF-8", text.Text);
    if (encoding == TSourceEncoding::Utf8) {
        std::string_view expected = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
        expected = expected.substr(0, expected.find_last_not_of('\0') + 1);
        Require(text.Text == expected, "UTF-8 is the bytes less mark and padding", text.Text);
    }
    if (encoding == TSourceEncoding::Utf16)
        Require(Utf16FromUtf8(text.Text) == ExpectedUnits(bytes), "UTF-16 comes back as its units", text.Text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tabulor::fuzz::TFuzzInput input(data, size);
    const auto encoding = static_cast<TSourceEncoding>(input.TakeByte() % 4);
    const std::string_view bytes = input.Remainder();
    TFileContents contents{std::make_unique<char[]>(bytes.size()), bytes.size()};
    if (!bytes.empty())
        std::memcpy(contents.Data.get(), bytes.data(), bytes.size());
    try {
        CheckDecoded(bytes, encoding, DecodeSource(contents, encoding));
    } catch (const ETextFault& fault) {
        Require(fault.Kind == ETextFault::TKind::Malformed && fault.Encoding != TSourceEncoding::Automatic,
                "a decoding fault names the encoding it was read in", bytes);
        // In UTF-16 a line end is two bytes; in the others, one.
        std::size_t lineEnds = 0;
        for (const char byte : bytes)
            lineEnds += byte == '\n' || byte == '\r';
        Require(fault.Line >= 1 && fault.Line <= lineEnds + 1, "a fault stands on a line the text has", bytes);
    }
    return 0;
}

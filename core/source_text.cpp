#include "source_text.h"

#include <cstdint>
#include <cstring>
#include <memory>

#include "file_errors.h"
#include "source_rows.h"
#include "utf8.h"

namespace tabulor {
namespace {

enum class TForm { Windows1252, Utf8, Utf16Le, Utf16Be };

struct TFound {
    TForm Form;
    std::size_t MarkSize;
    // Found to be UTF-8 throughout, which need not be checked again.
    bool Checked = false;
};

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf16BeMark = "\xFE\xFF";

std::string_view WithoutTrailingNuls(std::string_view text)
{
    const std::size_t last = text.find_last_not_of('\0');
    return text.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

// Without a mark, a zero byte beside a non-zero one in the first two is UTF-16, and a text that
// is UTF-8 throughout is UTF-8.
TFound Detect(std::string_view bytes)
{
    if (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0')
        return {TForm::Utf16Le, 0};
    if (bytes.size() >= 2 && bytes[0] == '\0' && bytes[1] != '\0')
        return {TForm::Utf16Be, 0};
    if (FirstMalformedUtf8(WithoutTrailingNuls(bytes)) == std::string_view::npos)
        return {TForm::Utf8, 0, true};
    return {TForm::Windows1252, 0};
}

TFound FindForm(std::string_view bytes, TSourceEncoding encoding)
{
    if (encoding != TSourceEncoding::Windows1252 && encoding != TSourceEncoding::Utf16 && bytes.starts_with(Utf8Mark))
        return {TForm::Utf8, Utf8Mark.size()};
    if (encoding != TSourceEncoding::Windows1252 && encoding != TSourceEncoding::Utf8) {
        if (bytes.starts_with(Utf16LeMark))
            return {TForm::Utf16Le, Utf16LeMark.size()};
        if (bytes.starts_with(Utf16BeMark))
            return {TForm::Utf16Be, Utf16BeMark.size()};
    }
    switch (encoding) {
    case TSourceEncoding::Windows1252:
        return {TForm::Windows1252, 0};
    case TSourceEncoding::Utf8:
        return {TForm::Utf8, 0};
    case TSourceEncoding::Utf16:
        return {TForm::Utf16Le, 0};
    case TSourceEncoding::Automatic:
        break;
    }
    return Detect(bytes);
}

[[noreturn]] void ThrowMalformed(std::string_view textBefore, TSourceEncoding encoding)
{
    throw ETextFault(ETextFault::TKind::Malformed, LineNumberAt(textBefore, textBefore.size()), encoding);
}

TSourceText CheckedBytes(std::string_view text, bool utf8)
{
    const std::size_t fault = utf8 ? FirstMalformedUtf8(text) : text.find('\0');
    if (fault != std::string_view::npos)
        ThrowMalformed(text.substr(0, fault), utf8 ? TSourceEncoding::Utf8 : TSourceEncoding::Windows1252);
    return {text, utf8};
}

// Turns UTF-16 into UTF-8. Writing where the UTF-16 lies stops before a character whose UTF-8
// would reach units not read yet; the rest then goes to a buffer of its own.
class TUtf16Decoder {
public:
    TUtf16Decoder(TFileContents& contents, std::size_t markSize, bool bigEndian)
        : Contents(contents), BigEndian(bigEndian)
    {
        std::string_view units = WithoutTrailingNuls(contents.View().substr(markSize));
        // NULs padding the end come in whole units, save perhaps one odd byte past them.
        if (units.size() % 2 != 0 && units.size() < contents.Size - markSize)
            units = contents.View().substr(markSize, units.size() + 1);
        In = units.data();
        End = In + units.size();
    }

    TSourceText Decode()
    {
        char* const base = Contents.Data.get();
        Out = base;
        if (!Transcode(base, true)) {
            // Each unit left takes at most three bytes of UTF-8; a surrogate pair takes four.
            const std::size_t written = static_cast<std::size_t>(Out - base);
            auto larger = std::make_unique_for_overwrite<char[]>(written + static_cast<std::size_t>(End - In) / 2 * 3 + 4);
            std::memcpy(larger.get(), base, written);
            Out = larger.get() + written;
            Transcode(larger.get(), false);
            Contents.Data = std::move(larger);
        }
        const std::string_view text(Contents.Data.get(), static_cast<std::size_t>(Out - Contents.Data.get()));
        if (In != End)  // the odd final byte
            ThrowMalformed(text, TSourceEncoding::Utf16);
        return {text, true};
    }

private:
    char16_t Unit(const char* at) const
    {
        const auto first = static_cast<unsigned char>(at[0]);
        const auto second = static_cast<unsigned char>(at[1]);
        return static_cast<char16_t>(BigEndian ? (first << 8) | second : (second << 8) | first);
    }

    // Four units of plain ASCII at once, which most text is; false, copying nothing, for others.
    // Written where they lie they never reach what is still to read: they halve.
    bool CopyAscii()
    {
        std::uint64_t word;
        std::memcpy(&word, In, sizeof word);
        const std::uint64_t highBits = BigEndian ? 0x80FF80FF80FF80FF : 0xFF80FF80FF80FF80;
        const std::uint64_t zeroUnits = (word - 0x0001000100010001) & ~word & 0x8000800080008000;
        if ((word & highBits) != 0 || zeroUnits != 0)
            return false;
        const std::size_t low = BigEndian ? 1 : 0;
        for (std::size_t unit = 0; unit < 4; ++unit)
            Out[unit] = In[2 * unit + low];
        Out += 4;
        In += sizeof word;
        return true;
    }

    // False where writing in place had to stop.
    bool Transcode(const char* outBase, bool inPlace)
    {
        while (End - In >= 2) {
            if (End - In >= 8 && CopyAscii())
                continue;
            const char* next = In + 2;
            char32_t character = Unit(In);
            if (character >= 0xD800 && character <= 0xDBFF && End - next >= 2) {
                const char16_t low = Unit(next);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    character = 0x10000 + ((character - 0xD800) << 10) + (low - 0xDC00);
                    next += 2;
                }
            }
            if (character == 0 || (character >= 0xD800 && character <= 0xDFFF))
                ThrowMalformed({outBase, static_cast<std::size_t>(Out - outBase)}, TSourceEncoding::Utf16);
            if (inPlace && Out + Utf8Length(character) > next)
                return false;
            Out = EncodeUtf8(character, Out);
            In = next;
        }
        return true;
    }

    TFileContents& Contents;
    bool BigEndian;
    const char* In;
    const char* End;
    char* Out = nullptr;
};

}  // namespace

TSourceText DecodeSource(TFileContents& contents, TSourceEncoding encoding)
{
    const std::string_view bytes = contents.View();
    const TFound found = FindForm(bytes, encoding);
    switch (found.Form) {
    case TForm::Windows1252:
        return CheckedBytes(WithoutTrailingNuls(bytes), false);
    case TForm::Utf8: {
        const std::string_view text = WithoutTrailingNuls(bytes.substr(found.MarkSize));
        return found.Checked ? TSourceText{text, true} : CheckedBytes(text, true);
    }
    case TForm::Utf16Le:
    case TForm::Utf16Be:
        break;
    }
    return TUtf16Decoder(contents, found.MarkSize, found.Form == TForm::Utf16Be).Decode();
}

}  // namespace tabulor

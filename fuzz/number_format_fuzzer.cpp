// Number formats on any code and any value: parsing and formatting neither fail nor read outside
// the code, the text is appended after what the string held and is valid UTF-8, the shortcuts of
// plain sections and of General write what the general renderers write, and a General text reads
// back as the value at 15 significant digits.
//
// Input: a byte of choices (bit 0 the 1904 date system, bit 1 a value built from the next two
// bytes and a scale rather than from the next eight raw bytes), the value, then the code.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "properties.h"
#include "workbook/formats/format_parser.h"
#include "workbook/formats/general_format.h"
#include "workbook/formats/number_format.h"

namespace {

using tabulor::fuzz::Require;

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                            : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        if (length == 0 || text.size() - at < length)
            return false;
        std::uint32_t code = lead & (0xFF >> (length + 1));
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        static constexpr std::uint32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < Smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        at += length;
    }
    return true;
}

// Small integers and decimals, dates and times are what formats show most; raw bytes reach
// every double, NaN and the infinities included.
double TakeValue(tabulor::fuzz::TFuzzInput& input, bool friendly)
{
    if (friendly) {
        const unsigned high = input.TakeByte();
        const auto whole = static_cast<std::int16_t>(high << 8 | input.TakeByte());
        const unsigned char scale = input.TakeByte();
        return (scale & 0x80 ? 45000.0 : 0.0) + whole / std::pow(10.0, scale % 8);
    }
    unsigned char bytes[8];
    for (unsigned char& byte : bytes)
        byte = input.TakeByte();
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

void CheckShortcuts(std::string_view code, bool date1904, double value)
{
    namespace formats = tabulor::formats;
    const formats::TParsedFormat format = formats::ParseFormat(code);
    std::string shortcut;
    std::string general;
    formats::FormatValue(format, date1904, value, formats::TRendering::Shortcuts, shortcut);
    formats::FormatValue(format, date1904, value, formats::TRendering::GeneralOnly, general);
    Require(shortcut == general, "a plain section's shortcut writes what the general renderer writes", shortcut);
}

void CheckGeneral(double value)
{
    std::string text;
    tabulor::formats::FormatGeneral(value, text);
    Require(IsValidUtf8(text), "a General text is UTF-8", text);
    std::string digits;
    tabulor::formats::FormatGeneralDigits(value, digits);
    Require(text == digits, "General's shortcut writes what its digits write", text);
    if (!std::isfinite(value))
        return;
    std::string decimal = text;
    for (char& c : decimal)
        if (c == ',')
            c = '.';
    double back = 0;
    const auto [end, error] = std::from_chars(decimal.data(), decimal.data() + decimal.size(), back);
    if (error == std::errc::result_out_of_range)
        return;  // near the largest double, 15 digits round past it
    Require(error == std::errc() && end == decimal.data() + decimal.size(), "a General text is a number", text);
    Require(std::fabs(back - value) <= std::fabs(value) * 6e-15, "a General text is the value at 15 digits", text);
    std::string again;
    tabulor::formats::FormatGeneral(back, again);
    Require(again == text, "a General text's own value gives it back", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tabulor::fuzz::TFuzzInput input(data, size);
    const unsigned char choices = input.TakeByte();
    const double value = TakeValue(input, (choices & 2) != 0);
    const tabulor::fuzz::TExactCopy code(input.Remainder());

    const tabulor::formats::TNumberFormat format(code.View(), (choices & 1) != 0);
    constexpr std::string_view Before = "«avant»";
    std::string out(Before);
    format.FormatNumber(value, out);
    Require(std::string_view(out).starts_with(Before), "a number's text is appended", out);
    Require(IsValidUtf8(out), "a number's text is UTF-8", out);

    out.assign(Before);
    format.FormatText("déjà vu", out);
    Require(std::string_view(out).starts_with(Before), "a text's text is appended", out);
    Require(IsValidUtf8(out), "a text's text is UTF-8", out);

    CheckShortcuts(code.View(), (choices & 1) != 0, value);
    CheckGeneral(value);
    return 0;
}

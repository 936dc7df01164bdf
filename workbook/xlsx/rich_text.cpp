#include "workbook/xlsx/rich_text.h"

#include <cstddef>

#include "workbook/ascii_text.h"
#include "workbook/xlsx/main_namespace.h"

namespace tabulor::xlsx {

namespace {

// The UTF-16 unit of an escape at text[at], or -1 when none starts there.
long EscapedUnit(std::string_view text, std::size_t at)
{
    if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
        return -1;
    long unit = 0;
    for (std::size_t i = at + 2; i < at + 6; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0)
            return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

}  // namespace

void AppendUnescaped(std::string_view raw, std::string& out)
{
    std::size_t done = 0;
    for (std::size_t at = raw.find("_x"); at != std::string_view::npos; at = raw.find("_x", at)) {
        const long unit = EscapedUnit(raw, at);
        if (unit < 0) {
            ++at;
            continue;
        }
        out.append(raw.substr(done, at - done));
        at += 7;
        char32_t character = static_cast<char32_t>(unit);
        if (unit >= 0xD800 && unit < 0xDC00) {
            const long low = EscapedUnit(raw, at);
            if (low >= 0xDC00 && low < 0xE000) {
                character = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                at += 7;
            }
        }
        // A lone surrogate has no UTF-8 form; a NUL would end the text in some readers.
        if (character >= 0xD800 && character < 0xE000)
            character = 0xFFFD;
        if (character != 0) {
            char bytes[4];
            out.append(bytes, WriteUtf8(character, bytes));
        }
        done = at;
    }
    out.append(raw.substr(done));
}

void TRichText::Start(const xml::TXmlName& name)
{
    if (!IsMain(name.Namespace))
        return;
    if (name.Local == "rPh")
        InPhonetic = true;
    else if (name.Local == "t" && !InPhonetic)
        InText = true;
}

void TRichText::End(const xml::TXmlName& name)
{
    if (!IsMain(name.Namespace))
        return;
    if (name.Local == "rPh")
        InPhonetic = false;
    else if (name.Local == "t")
        InText = false;
}

}  // namespace tabulor::xlsx

// The text of a string item, shared or inline: its runs joined, and the _xHHHH_ escapes by which
// the file holds characters that XML cannot.
//
// It keeps no run's formatting and reads no phonetic guide.
#pragma once

#include <string>
#include <string_view>

#include "workbook/xml/xml_reader.h"

namespace tabulor::xlsx {

// Appends the text with its _xHHHH_ escapes decoded.
void AppendUnescaped(std::string_view raw, std::string& out);

// The text of a string item (si) or an inline string (is): its t, or its runs' r/t joined; the
// phonetic runs (rPh) left out. Fed the events inside the item; the raw text, escapes and all.
class TRichText {
public:
    void Start(const xml::TXmlName& name);
    void End(const xml::TXmlName& name);
    void Text(std::string_view text)
    {
        if (InText)
            Raw.append(text);
    }
    std::string Raw;

private:
    bool InText = false;
    bool InPhonetic = false;
};

}  // namespace tabulor::xlsx

// The text that a cell's paragraphs (text:p, text:h) display, appended to a buffer: paragraphs
// joined by "\n", each run of white space in the character data one space and none at a
// paragraph's start or end, text:s, text:tab and text:line-break giving the characters that count.
//
// It does not decide which elements are displayed: the sheet reader skips comments and shapes.
// Spaces asked for by the billion are a fault of the file, not a text to hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "workbook/xml/xml_reader.h"

namespace tabulor::ods {

class TParagraphText {
public:
    explicit TParagraphText(std::string& out) : Out(out) {}

    void StartCell() { HasParagraph_ = false; }
    bool HasParagraph() const { return HasParagraph_; }
    void StartParagraph();
    void EndParagraph() { PendingSpace = false; }
    // An element inside the paragraph.
    void AddElement(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes);
    void AddCharacters(std::string_view text);

private:
    void FlushPendingSpace();

    std::string& Out;
    std::uint64_t SpacesLeft = 64 * 1024 * 1024;
    std::size_t ParagraphStart = 0;
    bool HasParagraph_ = false;
    bool PendingSpace = false;
};

}  // namespace tabulor::ods

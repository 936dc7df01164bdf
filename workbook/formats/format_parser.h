// A number format code read once into its parsed form, so that applying it to a value is a walk
// over a short list. ParseFormat splits the code into its sections and chooses which one holds the
// text; a TSectionParser reads each, in two files: format_parser.cpp reads what every section
// reads alike (quoted text, escapes, brackets, conditions, General, the literals) and
// format_parser_tokens.cpp the placeholders of a number section and the letters of a date one.
//
// It renders nothing and refuses no code: a character it does not know is a literal, a bracket
// it does not know (a colour, a locale) shows nothing.
#pragma once

#include <cstdint>
#include <string_view>

#include "workbook/ascii_text.h"
#include "workbook/formats/parsed_format.h"

namespace tabulor::formats {

// An empty code, or "General", is General; what follows a fourth section is dropped.
TParsedFormat ParseFormat(std::string_view code);

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view word);

// Appends one section's tokens to the format's and fills in the section.
class TSectionParser {
public:
    TSectionParser(TParsedFormat& format, TSection& section) : Format(format), Section(section) {}

    void Parse(std::string_view code);

private:
    enum class TPart : std::uint8_t { Integer, Decimals, Denominator, Exponent };

    TSectionKind Classify() const;
    bool TakeCommon();
    void TakeBracket();
    void TakeCondition(std::string_view content);
    void TakeNumber(bool afterPlaceholder);
    bool HasDigits() const;
    void TakeFractionBar();
    void TakeFixedDenominator();
    void TakeText();
    void TakeDate();
    static TToken DatePart(char letter, std::uint32_t count);
    void AddAmPm(std::string_view texts, std::size_t codeLength);
    void FinishDate();
    void PlaceDigits();
    void TakeChar();
    void AddText(std::string_view text, TField field = TField::Integer);
    void AddToken(const TToken& token) { Format.Tokens.push_back(token); }

    TParsedFormat& Format;
    TSection& Section;
    std::string_view Code;
    std::size_t At = 0;
    TPart Part = TPart::Integer;
    bool AfterPlaceholder = false;
};

}  // namespace tabulor::formats

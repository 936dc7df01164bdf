// A number section's text for one value: the general renderer, which walks the section's tokens
// (number_section.cpp), and the shortcut of the plain sections most cells show, written from
// whole numbers (number_section_plain.cpp).
//
// It does not choose the section: FormatValue (number_format.h) does, and gives the value
// without its sign where the section shows it by a literal.
#pragma once

#include <string>

#include "workbook/formats/parsed_format.h"

namespace tabulor::formats {

// Appends a number section's text for a value: its sign when negative, unless nothing but
// zeros shows.
void FormatNumberSection(const TParsedFormat& format, const TSection& section, double value, std::string& out);

// Marks a section as plain when it is [literal] integer placeholders (# then 0, with or without
// thousands), [the comma and 0 decimals] [literal].
void FindPlainNumber(const TParsedFormat& format, TSection& section);

// What FormatNumberSection appends, for a plain section, from whole numbers; false, appending
// nothing, for any value it cannot show exactly so, which goes to the general renderer.
bool FormatPlainNumber(const TParsedFormat& format, const TSection& section, double value, std::string& out);

}  // namespace tabulor::formats

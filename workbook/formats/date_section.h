// A date section's text for one serial: the general renderer, which walks the section's tokens,
// and the shortcut of the plain dates most cells show (days, months and years in digits).
//
// It does not choose the section: FormatValue (number_format.h) does, and shows as General a
// value that is no date.
#pragma once

#include <string>

#include "workbook/formats/parsed_format.h"

namespace tabulor::formats {

// Appends the date or time of a serial; false, appending nothing, when it is no date (negative,
// or past 31 December 9999).
bool FormatDateSection(const TParsedFormat& format, const TSection& section, double serial, bool date1904,
                       std::string& out);

// Marks a section as plain when it holds nothing but days, months, years and literals.
void FindPlainDate(const TParsedFormat& format, TSection& section);

// What FormatDateSection appends, for a plain section, from whole days; false, appending nothing,
// for any serial it cannot show so, which goes to the general renderer.
bool FormatPlainDate(const TParsedFormat& format, const TSection& section, double serial, bool date1904,
                     std::string& out);

}  // namespace tabulor::formats

// General, the format of a cell that has none, and of a value that no section of its format
// takes: the value's shortest text at 15 significant digits, with a decimal comma.
//
// It does not know the column's width, which Excel's General shortens a value to fit: the text
// is the value's at 15 digits however wide it is.
#pragma once

#include <string>

namespace tabulor::formats {

// Appends the General text of a value: the shortest that gives it back at 15 significant digits.
void FormatGeneral(double value, std::string& out);

// The General text of a finite value from its digits, whatever they are; FormatGeneral first tries
// the whole number over a power of ten that most values are.
void FormatGeneralDigits(double value, std::string& out);

}  // namespace tabulor::formats

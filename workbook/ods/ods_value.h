// The values of an .ods cell's office:date-value and office:time-value as numbers, so that a
// cell with no paragraph shows them as .xlsx's General shows a date or a time.
//
// It reads the forms that spreadsheet programs write, not every form XML Schema allows: no time
// zone, no years or months in a duration. What it does not read, the cell shows as stored.
#pragma once

#include <optional>
#include <string_view>

namespace tabulor {

// "2024-03-01" or "2024-03-01T12:00:00[.5]": days since 1899-12-30, the time as the fraction.
std::optional<double> ReadOdsDate(std::string_view text);
// "PT12H30M00S", "-P1DT2H", "PT0.5S": the duration in days.
std::optional<double> ReadOdsDuration(std::string_view text);

}  // namespace tabulor

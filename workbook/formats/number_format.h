// A cell's value as a French spreadsheet shows it under an .xlsx number format: decimal comma,
// U+00A0 between thousands, French month and day names. Parsed once per format code, then
// applied to many values.
//
// It does not compute anything of the sheet: a value comes in as the file stores it. Nor does it
// know the column's width or the cell's colour: a fill (*x) and a colour show nothing, and a
// value too wide for its column shows whole, never as #####. Infinities and NaN, which no file
// stores, show as #NOMBRE!.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tabulor::formats {

struct TParsedFormat;

// The code of a built-in format id; empty for General, which any unknown id is too.
std::string_view BuiltInFormatCode(unsigned id);

class TNumberFormat {
public:
    // An empty code, or "General", is General. date1904: the workbook counts days from 1904.
    explicit TNumberFormat(std::string_view code = {}, bool date1904 = false);
    ~TNumberFormat();
    TNumberFormat(TNumberFormat&&) noexcept;
    TNumberFormat& operator=(TNumberFormat&&) noexcept;

    // Appends the value's text, in UTF-8. Under a date format a value that is no date (negative,
    // or past 31 December 9999) shows as General.
    void FormatNumber(double value, std::string& out) const;
    // Appends a text cell's text through the format's text section, or as it is without one.
    void FormatText(std::string_view text, std::string& out) const;

private:
    struct TParsed;
    std::unique_ptr<TParsed> Parsed;
};

// Whether the general renderers alone write a value, which the shortcuts must match byte for byte.
enum class TRendering : std::uint8_t { Shortcuts, GeneralOnly };

// Appends a value's text under a parsed format, as TNumberFormat::FormatNumber does.
void FormatValue(const TParsedFormat& format, bool date1904, double value, TRendering rendering, std::string& out);

}  // namespace tabulor::formats

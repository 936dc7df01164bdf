// The cell styles of an .xlsx, as far as they decide a cell's text: each cellXfs entry's number
// format, built in or from numFmts.
//
// Fonts, fills, borders and alignment are not read: a table shows none of them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "workbook/byte_reader.h"
#include "workbook/formats/number_format.h"

namespace tabulor::xlsx {

// The number format of each cell style, each made once, when a cell first uses it.
class TCellStyles {
public:
    explicit TCellStyles(bool date1904 = false) : Date1904(date1904) {}
    TCellStyles(TByteReader& xml, bool date1904);
    // An unknown style is General.
    const formats::TNumberFormat& FormatOf(std::uint64_t style) const;
    bool IsDate1904() const { return Date1904; }

private:
    friend class TStylesHandler;
    std::string CodeOf(unsigned formatId) const;
    struct TCustomCode {
        unsigned Id;
        std::string Code;
    };
    std::vector<TCustomCode> CustomCodes;  // sorted by id once read
    std::vector<unsigned> StyleFormatIds;  // by cellXfs index
    mutable std::vector<std::unique_ptr<formats::TNumberFormat>> Formats;  // by cellXfs index, made on use
    formats::TNumberFormat General;
    bool Date1904;
};

}  // namespace tabulor::xlsx

// A fault of a workbook, found where the file's name is not known: the conversion turns it into
// the error that names the file.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace tabulor {

class EWorkbookFault : public std::exception {
public:
    enum class TKind {
        Invalid,       // a damaged zip, a missing part, bad XML, a DTD, a reference past the grid
        Unsupported,   // an .xls, an .xlsb or a workbook protected by a password
        MissingSheet,  // no sheet of the name asked for
        TooLarge,      // the sheet's rectangle holds more cells than a table may
    };

    explicit EWorkbookFault(TKind kind, std::string sheet = {}, std::uint64_t rows = 0,
                            std::uint64_t cols = 0)
        : Kind(kind), Sheet(std::move(sheet)), Rows(rows), Cols(cols)
    {
    }
    const char* what() const noexcept override { return "a fault in the workbook"; }

    TKind Kind;
    std::string Sheet;  // MissingSheet, TooLarge: the sheet's name, in UTF-8
    std::uint64_t Rows;  // TooLarge: the rectangle's size
    std::uint64_t Cols;
};

// The fault that most of the readers' checks raise.
[[noreturn]] inline void ThrowInvalid()
{
    throw EWorkbookFault(EWorkbookFault::TKind::Invalid);
}

}  // namespace tabulor

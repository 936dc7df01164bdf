// The conversion's errors: their kinds, and their texts built from the platform's full path and
// system message. These are the only errors a conversion raises.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "source_format.h"

namespace tabulor {

// The workbook layer's fault, which the core maps to its error without a workbook header in its
// own headers.
class EWorkbookFault;

// The source cannot be opened or read.
class EFOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The destination cannot be created.
class EFCreateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The destination could not be written completely.
class EWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The source is not text of its encoding, or a quoted field in it is still open at its end.
class ESourceTextError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The source is a workbook that cannot be read, or lacks the sheet asked for, or that sheet is
// too large for a table.
class EWorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A fault of the source's text, found where the file's name is not known: the run turns it into
// an ESourceTextError that names the file.
class ETextFault : public std::exception {
public:
    enum class TKind { Malformed, UnclosedQuote };
    ETextFault(TKind kind, std::size_t line, TSourceEncoding encoding = TSourceEncoding::Automatic)
        : Kind(kind), Line(line), Encoding(encoding)
    {
    }
    const char* what() const noexcept override { return "a fault in the source's text"; }

    TKind Kind;
    std::size_t Line;  // from 1: where the fault is, or where the open quoted field begins
    TSourceEncoding Encoding;  // of a malformed text, as it was read
};

// Fills the "%s" and "%d" of a message of the string table in order; one inside an argument
// stays as it is. Built by appending, which also spares GCC 12 a false -Wrestrict alarm on
// std::string::replace.
std::string FillMessage(std::string_view format, std::initializer_list<std::string_view> arguments);

// The texts of the errors that name a file, from its full path; the platform's file layer raises
// them. The system's text goes in without its trailing control characters, spaces and full stops.
std::string FOpenErrorMessage(std::string_view fullPath, std::string_view systemText);
std::string FCreateErrorMessage(std::string_view fullPath, std::string_view systemText);
std::string SourceTextErrorMessage(std::string_view fullPath, const ETextFault& fault);
std::string WorkbookErrorMessage(std::string_view fullPath, const EWorkbookFault& fault);

[[noreturn]] void ThrowWriteError();

}  // namespace tabulor

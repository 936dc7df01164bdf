// A command line as it is read: what it asks, its file names, the fields its options set and,
// for an error or an answer, the text to show. It reads nothing itself: ParseCommandLine
// (command_line.h) fills it, the options' table (command_options.h) sets its fields.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shell/request.h"

namespace tabulor {

// Windows programs also take options that start with "/", "/?" among them.
enum class TOptionStyle { Posix, Windows };

enum class TCommandAction { Open, Help, Version, Error, Convert, ListSheets };

struct TCommandLine {
    TCommandAction Action = TCommandAction::Open;
    // The arguments that are no options. Open: for the window to take as files; Convert: the
    // sources; ListSheets: the workbooks.
    std::vector<std::u16string> FileNames;
    // Help, Version, Error: the text to show, without a final line end.
    std::u16string Message;
    // Convert: the window's fields as the options set them, from those the window starts with.
    // The two file fields stay empty: each source gives its own.
    TFormFields Fields = InitialFormFields();
    // Convert: the file that -o names, "-" for standard output; none writes each source's table
    // beside it.
    std::optional<std::u16string> OutputName;
};

}  // namespace tabulor

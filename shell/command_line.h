// What the program's command line asks for: the window, its usage, its version, or an error.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace tabulor {

// Windows programs also take options that start with "/", "/?" among them.
enum class TOptionStyle { Posix, Windows };

enum class TCommandAction { Open, Help, Version, Error };

struct TCommandLine {
    TCommandAction Action = TCommandAction::Open;
    // Open: the arguments that are no options, for the window to take as files.
    std::vector<std::u16string> FileNames;
    // Help, Version, Error: the text to show, without a final line end.
    std::u16string Message;
};

// Reads the arguments after the program's own name. The first option decides: help, version, or
// an error for any other one; "--" ends the options, so that what follows it is a file name
// whatever its first character.
TCommandLine ParseCommandLine(std::span<const std::u16string> arguments, TOptionStyle style);

// How the program ends once it has shown the usage, the version or an error: 2 for an error, as
// a misused command-line tool ends, 0 otherwise.
int ExitCodeFor(TCommandAction action);

}  // namespace tabulor

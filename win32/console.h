// What both Windows programs do with a command line that converts, around the shell's rules: the
// arguments read as the system splits them, the sources' wildcards expanded as a Unix shell would
// have done before the program started, and a line written where a console program's user reads
// it. What the options mean and what a run prints are not decided here, but in the shell.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/command_line.h"

namespace tabulor {

// The arguments after the program's own name, as CommandLineToArgvW splits the command line.
std::vector<std::u16string> CommandLineArguments();

// What follows the program's name in a command line, as it was typed, blanks before it skipped:
// the arguments to start another program with, quotes and all.
std::wstring_view CommandLineTail(std::wstring_view commandLine);

// Each name that holds "*" or "?" in its last part becomes the files it matches, their folder
// part as typed, in name order whatever the case; folders are left out. A pattern that matches
// no file stays as typed, so that the run's error names it.
std::vector<std::u16string> ExpandWildcards(std::span<const std::u16string> names);

// The program's command line with the Windows options, the wildcards of a conversion's or a
// sheet list's sources expanded.
TCommandLine ReadCommandLine();

// A text of lines between "\n", each ended by CR LF: as wide characters to a console, which
// shows them whatever its code page, and as UTF-8 bytes where the handle is redirected to a file
// or a pipe.
// Says whether every line was written.
bool WriteLines(HANDLE handle, std::u16string_view text);

}  // namespace tabulor

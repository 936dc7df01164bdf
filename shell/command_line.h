// What the program's command line asks for: the window, its usage, its version, an error, a
// conversion without the window, or a workbook's sheets. It reads and checks the arguments alone:
// it opens no file and converts nothing (command_run.h runs what it asks).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/command.h"
#include "shell/file_names.h"

namespace tabulor {

// What the program's messages on standard error begin with.
inline constexpr std::u16string_view CommandMessagePrefix = u"tabulor\u00a0: ";

// Reads the arguments after the program's own name, from left to right: help or version, met
// before any error, is answered at once. "--" ends the options, so that what follows it is a file
// name whatever its first character. Options and names may come in any order, a repeated option
// keeping its last value. A conversion whose destinations would clash, with each other or with a
// source named beside them, is an error found here, before anything is written; names are
// compared as the style's file system compares them.
TCommandLine ParseCommandLine(std::span<const std::u16string> arguments, TOptionStyle style);

// Where the sources of a conversion, or the workbooks of a sheet list, stand among the arguments,
// in their order; none for any other command. Windows hands a program its wildcards unexpanded:
// its front end expands these arguments alone, an option's value left as typed, then reads the
// line again, so that the checks of the destinations see every file.
std::vector<std::size_t> SourceArguments(std::span<const std::u16string> arguments, TOptionStyle style);

// The file a source of a conversion is written to: the one -o names, or the one the window
// derives from the source; none for standard output.
std::optional<std::u16string> CommandDestination(const TCommandLine& command, std::u16string_view source,
                                                 TFileSystem system);

// How the program ends once it has shown the usage, the version or an error: 2 for an error, as
// a misused command-line tool ends, 0 otherwise.
int ExitCodeFor(TCommandAction action);

}  // namespace tabulor

// The command line's usage, as --help shows it, and its synopsis, which a misuse repeats. It
// reads no argument.
#pragma once

#include <string>

#include "shell/command.h"

namespace tabulor {

// The three ways to call the program, one a line, without a final line end.
std::u16string Synopsis();

// Every option, what the program reads, its exit codes and two examples, without a final line end.
std::u16string Usage(TOptionStyle style);

}  // namespace tabulor

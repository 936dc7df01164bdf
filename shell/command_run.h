// Runs what the command line asks without a window: each source converted in turn, or each
// workbook's sheets listed. It parses nothing (command_line.h) and knows no platform: the front
// end hands over its streams and its file system's rules.
#pragma once

#include <functional>
#include <string_view>

#include "core/output_lines.h"
#include "shell/command_line.h"
#include "shell/file_names.h"

namespace tabulor {

struct TCommandStreams {
    // One line of text each, without its line end: the front end writes it its platform's way.
    // Output says whether the line was written: a sheet list that could not be is a failure.
    std::function<bool(std::u16string_view line)> Output;
    std::function<void(std::u16string_view line)> Error;
    // Where a table written to standard output goes, byte for byte.
    TByteSink& StandardOutput;
};

// Runs a command whose action is Convert or ListSheets; returns the program's exit code: 0 when
// every file was done, 1 when one or more failed. A failure is told on Error and the next file
// still runs; a conversion that succeeded says nothing, unless the run has something to tell
// (formulas without a value, hidden rows and columns left out).
int RunCommand(const TCommandLine& command, const TCommandStreams& streams, TFileSystem system);

}  // namespace tabulor

// Tabulor: converts a spreadsheet saved as text, or a workbook's sheet, into an HTML table.
#include <algorithm>
#include <cstdio>
#include <string>

#include "core/file_io.h"
#include "qt/application.h"
#include "qt/form_main.h"
#include "qt/start_show.h"
#include "shell/command_line.h"
#include "shell/command_run.h"
#include "shell/text.h"

namespace {

// Terminals on Linux read UTF-8, whatever the locale the program was started in. Says whether
// the line was written: a full disk or a closed pipe is found at the flush.
bool PrintLine(std::u16string_view line, std::FILE* stream)
{
    return std::fputs(tabulor::ToUtf8(line).append(1, '\n').c_str(), stream) >= 0 && std::fflush(stream) == 0;
}

// The answer to a command line that asks for no window: an error on standard error.
int PrintCommandAnswer(const tabulor::TCommandLine& command)
{
    PrintLine(command.Message, command.Action == tabulor::TCommandAction::Error ? stderr : stdout);
    return tabulor::ExitCodeFor(command.Action);
}

int RunCommand(const tabulor::TCommandLine& command)
{
    tabulor::TStandardOutput standardOutput;
    const tabulor::TCommandStreams streams = {[](std::u16string_view line) { return PrintLine(line, stdout); },
                                              [](std::u16string_view line) { PrintLine(line, stderr); },
                                              standardOutput};
    return tabulor::RunCommand(command, streams, tabulor::TFileSystem::Posix);
}

}  // namespace

int main(int argc, char* argv[])
{
    // The command line is read before Qt starts: the usage, the version, an error, a conversion
    // and a sheet list run without a display, and Qt sees no argument, so none of its own
    // options (-platform, -style...) can change the window; they are unknown options here.
    const tabulor::TCommandLine command =
        tabulor::ParseCommandLine(tabulor::CommandLineFileNames(argc, argv), tabulor::TOptionStyle::Posix);
    switch (command.Action) {
    case tabulor::TCommandAction::Open:
        break;
    case tabulor::TCommandAction::Convert:
    case tabulor::TCommandAction::ListSheets:
        return RunCommand(command);
    case tabulor::TCommandAction::Help:
    case tabulor::TCommandAction::Version:
    case tabulor::TCommandAction::Error:
        return PrintCommandAnswer(command);
    }
    int qtArgumentCount = std::min(argc, 1);
    tabulor::TApplication application(qtArgumentCount, argv);
    tabulor::TFormMain formMain;
    // "Open with": the one file named is the source.
    formMain.OpenFiles(command.FileNames);
    // X11 and Wayland hand a program no show command: the window starts as it is laid out.
    return application.Run(formMain, tabulor::TStartShow::Normal);
}

// Tabulor: converts a spreadsheet saved as text into an HTML table.
#include <algorithm>
#include <cstdio>

#include "qt/application.h"
#include "qt/form_main.h"
#include "qt/shell_types.h"
#include "qt/start_show.h"
#include "shell/command_line.h"

namespace {

// The answer to a command line that asks for no window: an error on standard error.
int PrintCommandAnswer(const tabulor::TCommandLine& command)
{
    std::FILE* stream = command.Action == tabulor::TCommandAction::Error ? stderr : stdout;
    std::fputs(tabulor::ToQString(command.Message).append(u'\n').toLocal8Bit().constData(), stream);
    return tabulor::ExitCodeFor(command.Action);
}

}  // namespace

int main(int argc, char* argv[])
{
    // The command line is read before Qt starts: the usage, the version and an error print
    // without a display, and Qt sees no argument, so none of its own options (-platform,
    // -style...) can change the window; they are unknown options here.
    const tabulor::TCommandLine command =
        tabulor::ParseCommandLine(tabulor::CommandLineFileNames(argc, argv), tabulor::TOptionStyle::Posix);
    if (command.Action != tabulor::TCommandAction::Open)
        return PrintCommandAnswer(command);
    int qtArgumentCount = std::min(argc, 1);
    tabulor::TApplication application(qtArgumentCount, argv);
    tabulor::TFormMain formMain;
    // "Open with": the one file named is the source.
    formMain.OpenFiles(command.FileNames);
    // X11 and Wayland hand a program no show command: the window starts as it is laid out.
    return application.Run(formMain, tabulor::TStartShow::Normal);
}

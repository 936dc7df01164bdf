#include "win32/program.h"

#include <commctrl.h>

#include <string>

#include "core/file_io.h"
#include "shell/command_run.h"
#include "shell/file_names.h"
#include "shell/layout.h"
#include "shell/placement.h"
#include "win32/console.h"
#include "win32/form_main.h"
#include "win32/guard.h"
#include "win32/handles.h"
#include "win32/message_loop.h"
#include "win32/notice.h"
#include "win32/wide.h"

namespace tabulor {
namespace {

TIcon LoadMainIcon(HINSTANCE instance, int widthMetric, int heightMetric)
{
    return TIcon(static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(widthMetric),
                                               GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR)));
}

// A program without a console has nowhere to print: the usage, the version, the error or what a
// conversion has to say is shown in a box of its own, without any window, and the program ends
// with the box.
int ShowCommandAnswer(std::u16string_view text, int exitCode)
{
    const UINT icon = exitCode != 0 ? MB_ICONSTOP : MB_ICONINFORMATION;
    MessageBoxW(nullptr, ToWide(text).c_str(), ToWide(FormTitle).c_str(), MB_OK | icon);
    return exitCode;
}

// The lines are gathered for one box at the end rather than a box each; a run with nothing to say
// shows none, so that a script that starts the program is not stopped by it. Standard output is
// the handle that the program was started with, if any.
int RunCommandWithBox(const TCommandLine& command)
{
    std::u16string text;
    const auto addLine = [&text](std::u16string_view line) {
        text.append(text.empty() ? u"" : u"\n").append(line);
        return true;
    };
    TStandardOutput standardOutput;
    const int exitCode = RunCommand(command, {addLine, addLine, standardOutput}, TFileSystem::Windows);
    return text.empty() ? exitCode : ShowCommandAnswer(text, exitCode);
}

int StartShowCommand()
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWNORMAL;
}

int Run(HINSTANCE instance)
{
    const TCommandLine command = ReadCommandLine();
    if (command.Action == TCommandAction::Convert || command.Action == TCommandAction::ListSheets)
        return RunCommandWithBox(command);
    if (command.Action != TCommandAction::Open)
        return ShowCommandAnswer(command.Message, ExitCodeFor(command.Action));
    RegisterWindowClasses(instance);
    const TIcon bigIcon = LoadMainIcon(instance, SM_CXICON, SM_CYICON);
    const TIcon smallIcon = LoadMainIcon(instance, SM_CXSMICON, SM_CYSMICON);
    TFormMain form(instance, bigIcon.get(), smallIcon.get());
    // "Open with": the one file named is the source.
    form.ChooseSource(SingleFileName(command.FileNames));
    form.Show(StartShowFromCommand(StartShowCommand()));
    // Without a condition to end on, the loop runs until WM_QUIT and gives its code.
    return *RunMessageLoop([&form](const MSG& message) { return form.KeyPreview(message); });
}

}  // namespace

void RegisterWindowClasses(HINSTANCE instance)
{
    const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    TFormMain::RegisterWindowClass(instance);
    TMessageForm::RegisterWindowClass(instance);
}

int RunProgram(HINSTANCE instance) noexcept
{
    int exitCode = 1;
    RunGuarded([&] { exitCode = Run(instance); });
    return exitCode;
}

}  // namespace tabulor

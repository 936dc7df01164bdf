#include "win32/program.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "shell/command_line.h"
#include "shell/file_names.h"
#include "shell/layout.h"
#include "shell/placement.h"
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

std::vector<std::u16string> CommandLineArguments()
{
    int count = 0;
    const TArgumentList list(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::u16string> arguments;
    for (int i = 1; list && i < count; ++i)
        arguments.push_back(FromWide(list.get()[i]));
    return arguments;
}

// A program without a console has nowhere to print: the usage, the version or the error is
// shown in a box of its own, before any window, and the program ends with the box.
int ShowCommandAnswer(const TCommandLine& command)
{
    const UINT icon = command.Action == TCommandAction::Error ? MB_ICONSTOP : MB_ICONINFORMATION;
    MessageBoxW(nullptr, ToWide(command.Message).c_str(), ToWide(FormCaption).c_str(), MB_OK | icon);
    return ExitCodeFor(command.Action);
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
    const TCommandLine command = ParseCommandLine(CommandLineArguments(), TOptionStyle::Windows);
    if (command.Action != TCommandAction::Open)
        return ShowCommandAnswer(command);
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

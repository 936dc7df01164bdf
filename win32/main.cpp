// The program's entry point: the application's icon and title, the main window, and the message
// loop that runs until the window is closed.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "shell/command_line.h"
#include "shell/file_names.h"
#include "shell/layout.h"
#include "shell/messages.h"
#include "win32/form_main.h"
#include "win32/guard.h"
#include "win32/handles.h"
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

int RunMessageLoop(TFormMain& form)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        bool handled = false;
        RunGuarded([&] { handled = form.KeyPreview(message); });
        if (!handled) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

int Run(HINSTANCE instance)
{
    const TCommandLine command = ParseCommandLine(CommandLineArguments(), TOptionStyle::Windows);
    if (command.Action != TCommandAction::Open)
        return ShowCommandAnswer(command);
    const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const TIcon bigIcon = LoadMainIcon(instance, SM_CXICON, SM_CYICON);
    const TIcon smallIcon = LoadMainIcon(instance, SM_CXSMICON, SM_CYSMICON);
    TFormMain::RegisterWindowClass(instance);
    RegisterNoticeClass(instance);
    TFormMain form(instance, bigIcon.get(), smallIcon.get());
    // "Open with": the one file named is the source.
    form.ChooseSource(SingleFileName(command.FileNames));
    form.Show(StartShowFromCommand(StartShowCommand()));
    return RunMessageLoop(form);
}

}  // namespace
}  // namespace tabulor

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    int exitCode = 0;
    if (!tabulor::RunGuarded([&] { exitCode = tabulor::Run(instance); }))
        return 1;
    return exitCode;
}

// The program's entry point: the application's icon and title, the main window, and the message
// loop that runs until the window is closed.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/file_names.h"
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

// "Open with": one file named on the command line is a chosen source; anything else is ignored.
std::optional<std::u16string> CommandLineSource()
{
    int count = 0;
    const TArgumentList arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!arguments)
        return std::nullopt;
    std::vector<std::u16string> names;
    for (int i = 1; i < count; ++i)
        names.push_back(FromWide(arguments.get()[i]));
    return SingleFileName(names);
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
    const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const TIcon bigIcon = LoadMainIcon(instance, SM_CXICON, SM_CYICON);
    const TIcon smallIcon = LoadMainIcon(instance, SM_CXSMICON, SM_CYSMICON);
    TFormMain::RegisterWindowClass(instance);
    RegisterNoticeClass(instance);
    TFormMain form(instance, bigIcon.get(), smallIcon.get());
    form.ChooseSource(CommandLineSource());
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

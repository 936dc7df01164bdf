#include "tabulor_process.h"

#include <stdexcept>
#include <string>

#include "win32/control_ids.h"

namespace tabulor::test {

std::filesystem::path ProgramBesideTheTests(std::wstring_view fileName)
{
    std::wstring own(MAX_PATH, L'\0');
    own.resize(GetModuleFileNameW(nullptr, own.data(), static_cast<DWORD>(own.size())));
    return std::filesystem::path(own).parent_path() / fileName;
}

namespace {

struct TWindowSearch {
    DWORD ProcessId;
    std::wstring_view ClassName;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<TWindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->ProcessId && IsWindowVisible(window) && ClassOf(window) == search->ClassName) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring Quoted(std::wstring_view argument)
{
    return argument.empty() ? L"" : L"\"" + std::wstring(argument) + L"\"";
}

}  // namespace

TTabulorProcess::TTabulorProcess(std::wstring_view argument, int showCommand)
{
    Start(Quoted(argument), showCommand);
    WaitUntil([this] { return (MainWindow = FindWindowOfClass(FormMainClassName)) != nullptr; }, 20s);
    if (MainWindow == nullptr)
        throw std::runtime_error("tabulor.exe shows no main window");
}

TTabulorProcess::TTabulorProcess(std::wstring_view argument, TNoMainWindow)
{
    Start(Quoted(argument), -1);
}

TTabulorProcess::TTabulorProcess(TTypedArguments arguments)
{
    Start(arguments.Text, -1);
}

void TTabulorProcess::Start(std::wstring_view typedArguments, int showCommand)
{
    std::wstring commandLine = L"\"" + ProgramBesideTheTests(L"tabulor.exe").wstring() + L"\"";
    if (!typedArguments.empty())
        commandLine.append(L" ").append(typedArguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (showCommand >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &Process))
        throw std::runtime_error("tabulor.exe cannot be started");
}

TTabulorProcess::~TTabulorProcess()
{
    if (WaitForSingleObject(Process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(Process.hProcess, 1);
        WaitForSingleObject(Process.hProcess, 5000);
    }
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
}

HWND TTabulorProcess::ControlWindow(TControlId id) const
{
    return FormControl(MainWindow, id);
}

GUITHREADINFO TTabulorProcess::ThreadInfo() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(Process.dwThreadId, &info);
    return info;
}

HWND TTabulorProcess::Focused() const
{
    return ThreadInfo().hwndFocus;
}

HWND TTabulorProcess::Active() const
{
    return ThreadInfo().hwndActive;
}

HWND TTabulorProcess::FindWindowOfClass(std::wstring_view className) const
{
    TWindowSearch search = {Process.dwProcessId, className};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND TTabulorProcess::WaitForWindow(std::wstring_view className, std::chrono::milliseconds timeout) const
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowOfClass(className)) != nullptr; }, timeout);
    return found;
}

void TTabulorProcess::PressKey(WPARAM key) const
{
    HWND target = Focused();
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

DWORD TTabulorProcess::WaitForExit(std::chrono::milliseconds timeout) const
{
    WaitForSingleObject(Process.hProcess, static_cast<DWORD>(timeout.count()));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(Process.hProcess, &code);
    return code;
}

}  // namespace tabulor::test

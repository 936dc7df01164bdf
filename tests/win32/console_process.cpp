#include "console_process.h"

#include <stdexcept>

#include "test_support.h"

namespace tabulor::test {
namespace {

std::filesystem::path ConsoleProgramPath()
{
    std::wstring own(MAX_PATH, L'\0');
    own.resize(GetModuleFileNameW(nullptr, own.data(), static_cast<DWORD>(own.size())));
    return std::filesystem::path(own).parent_path() / L"tabulor.com";
}

// A file that the program started next inherits as a standard handle.
HANDLE InheritedFile(const std::filesystem::path& name)
{
    SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
    return CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

struct TWindowSearch {
    std::wstring_view ClassName;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchOtherProcessWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<TWindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != GetCurrentProcessId() && IsWindowVisible(window) && ClassOf(window) == search->ClassName) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

TConsoleRun RunConsoleProgram(std::wstring_view arguments, const std::filesystem::path& folder)
{
    // Apart from the folder, where a wildcard would take them for sources.
    const TTempFolder streams;
    const HANDLE output = InheritedFile(streams.Path() / L"sortie");
    const HANDLE error = InheritedFile(streams.Path() / L"erreurs");
    std::wstring commandLine = L"\"" + ConsoleProgramPath().wstring() + L"\" " + std::wstring(arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = error;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                        folder.c_str(), &startup, &process);
    CloseHandle(output);
    CloseHandle(error);
    if (!started)
        throw std::runtime_error("tabulor.com cannot be started");
    TConsoleRun run;
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_TIMEOUT)
        TerminateProcess(process.hProcess, STILL_ACTIVE);
    else
        GetExitCodeProcess(process.hProcess, &run.ExitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.Output = ReadFile(streams.Path() / L"sortie");
    run.Error = ReadFile(streams.Path() / L"erreurs");
    return run;
}

TOtherWindow::TOtherWindow(std::wstring_view className)
{
    TWindowSearch search = {className};
    WaitUntil([&] { return EnumWindows(MatchOtherProcessWindow, reinterpret_cast<LPARAM>(&search)), search.Found != nullptr; },
              20s);
    Window = search.Found;
}

TOtherWindow::~TOtherWindow()
{
    if (Window == nullptr)
        return;
    DWORD owner = 0;
    GetWindowThreadProcessId(Window, &owner);
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, owner);
    PostMessageW(Window, WM_CLOSE, 0, 0);
    if (process != nullptr) {
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
    }
}

}  // namespace tabulor::test

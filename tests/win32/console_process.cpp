#include "console_process.h"

#include <stdexcept>

#include "tabulor_process.h"
#include "test_support.h"

namespace tabulor::test {
namespace {

// A file that the program started next inherits as a standard handle.
HANDLE InheritedFile(const std::filesystem::path& name)
{
    SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
    return CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

TConsoleRun RunConsoleProgram(std::wstring_view arguments, const std::filesystem::path& folder)
{
    // Apart from the folder, where a wildcard would take them for sources.
    const TTempFolder streams;
    const HANDLE output = InheritedFile(streams.Path() / L"sortie");
    const HANDLE error = InheritedFile(streams.Path() / L"erreurs");
    std::wstring commandLine = L"\"" + ProgramBesideTheTests(L"tabulor.com").wstring() + L"\" " + std::wstring(arguments);
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
    const std::wstring name(className);
    const bool shown = WaitUntil(
        [&] {
            DWORD owner = 0;
            Window = FindWindowW(name.c_str(), nullptr);
            GetWindowThreadProcessId(Window, &owner);
            return Window != nullptr && owner != GetCurrentProcessId() && IsWindowVisible(Window);
        },
        20s);
    if (!shown)
        Window = nullptr;
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

// tabulor.com, the console program beside tabulor.exe. cmd and PowerShell take it first when
// "tabulor" is typed, and wait for it, as they do not for a window program: the command line's
// conversions, sheet lists, usage and version run here, with their exit code and their output on
// the console or where it is redirected. A command line that asks for the window starts
// tabulor.exe with the same arguments and ends at once; the window is not this program's.
#include <windows.h>

#include <exception>
#include <filesystem>
#include <string>

#include "core/file_io.h"
#include "shell/command_run.h"
#include "shell/file_names.h"
#include "shell/text.h"
#include "win32/console.h"
#include "win32/wide.h"

namespace tabulor {
namespace {

bool Print(DWORD standardHandle, std::u16string_view text)
{
    return WriteLines(GetStdHandle(standardHandle), text);
}

void PrintError(std::u16string_view text)
{
    Print(STD_ERROR_HANDLE, text);
}

std::filesystem::path WindowProgram()
{
    std::wstring own(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, own.data(), static_cast<DWORD>(own.size()))) == own.size())
        own.resize(own.size() * 2);
    own.resize(length);
    return std::filesystem::path(own).replace_filename(L"tabulor.exe");
}

// The window program gets the arguments as they were typed, quotes included, so that it splits
// them as this program did; it runs on after this program has ended.
int StartWindowProgram()
{
    const std::wstring program = WindowProgram().wstring();
    std::wstring commandLine = L"\"" + program + L"\"";
    const std::wstring_view tail = CommandLineTail(GetCommandLineW());
    if (!tail.empty())
        commandLine.append(L" ").append(tail);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        PrintError(u"tabulor\u00a0: impossible de démarrer «\u00a0" + FromWide(program) + u"\u00a0».");
        return 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

int Run()
{
    const TCommandLine command = ReadCommandLine();
    switch (command.Action) {
    case TCommandAction::Open:
        return StartWindowProgram();
    case TCommandAction::Convert:
    case TCommandAction::ListSheets: {
        TStandardOutput standardOutput;
        const auto output = [](std::u16string_view line) { return Print(STD_OUTPUT_HANDLE, line); };
        return RunCommand(command, {output, PrintError, standardOutput}, TFileSystem::Windows);
    }
    default:
        Print(command.Action == TCommandAction::Error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE, command.Message);
        return ExitCodeFor(command.Action);
    }
}

}  // namespace
}  // namespace tabulor

int wmain(int, wchar_t*[])
{
    try {
        return tabulor::Run();
    } catch (const std::exception& error) {
        tabulor::PrintError(u"tabulor\u00a0: " + tabulor::FromUtf8(error.what()));
    } catch (...) {
    }
    return 1;
}

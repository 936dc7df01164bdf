// The program started in a process of its own, and the ways a test finds and waits for its
// windows. Wine is slow to start a process: every wait polls for a few seconds before it gives
// up. It starts, finds and waits; what a user does, a test posts.
#pragma once

#include <windows.h>

#include <string_view>

#include "shell/layout.h"
#include "test_support.h"

namespace tabulor::test {

// A program of the build, which the tests find in their own folder.
std::filesystem::path ProgramBesideTheTests(std::wstring_view fileName);

class TTabulorProcess {
public:
    // Starts tabulor.exe from the tests' folder with argument (none when empty) and, when given,
    // the show command of the start-up information; waits for the main window.
    explicit TTabulorProcess(std::wstring_view argument = {}, int showCommand = -1);
    // Starts tabulor.exe with argument and waits for nothing: a command line that opens no window.
    struct TNoMainWindow {};
    TTabulorProcess(std::wstring_view argument, TNoMainWindow);
    // Starts tabulor.exe with arguments as they would be typed, quotes and all, and waits for
    // nothing.
    struct TTypedArguments {
        std::wstring_view Text;
    };
    explicit TTabulorProcess(TTypedArguments arguments);
    ~TTabulorProcess();
    TTabulorProcess(const TTabulorProcess&) = delete;
    TTabulorProcess& operator=(const TTabulorProcess&) = delete;

    HWND Main() const { return MainWindow; }
    HWND ControlWindow(TControlId id) const;
    // The control that holds the keyboard focus in the program.
    HWND Focused() const;
    // The program's active window: none while another program is in front.
    HWND Active() const;
    // A visible top-level window of the program of that class, other than the main window.
    HWND WaitForWindow(std::wstring_view className, std::chrono::milliseconds timeout = 10s) const;
    HWND FindWindowOfClass(std::wstring_view className) const;
    // Posts a key press to the focused control, as the keyboard would.
    void PressKey(WPARAM key) const;
    // The exit code once the process has ended; STILL_ACTIVE when it has not within the time.
    DWORD WaitForExit(std::chrono::milliseconds timeout = 10s) const;

private:
    void Start(std::wstring_view typedArguments, int showCommand);
    GUITHREADINFO ThreadInfo() const;

    PROCESS_INFORMATION Process = {};
    HWND MainWindow = nullptr;
};

}  // namespace tabulor::test

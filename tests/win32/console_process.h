// tabulor.com run to its end as a script runs it: in a folder of the test's choosing, its standard
// output and error redirected to files, its exit code waited for.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace tabulor::test {

struct TConsoleRun {
    // STILL_ACTIVE when the program had not ended within the time.
    DWORD ExitCode = STILL_ACTIVE;
    // The bytes as the program wrote them.
    std::string Output;
    std::string Error;
};

// arguments is the command line after the program's name, as it would be typed.
TConsoleRun RunConsoleProgram(std::wstring_view arguments, const std::filesystem::path& folder);

// A visible top-level window of that class that another process shows, waited for; the object
// closes it and waits for its process to end.
class TOtherWindow {
public:
    explicit TOtherWindow(std::wstring_view className);
    ~TOtherWindow();
    TOtherWindow(const TOtherWindow&) = delete;
    TOtherWindow& operator=(const TOtherWindow&) = delete;

    // None when no such window showed within the time.
    HWND Handle() const { return Window; }

private:
    HWND Window = nullptr;
};

}  // namespace tabulor::test

// The program's run, which wWinMain hands over to: the answer to the command line (its
// conversions among them), or the main window and the message loop until the window is closed. What the command line means and how
// the window behaves are not decided here, but in the shell and in the window itself.
#pragma once

#include <windows.h>

namespace tabulor {

// The common controls and the tool's window classes, once for the process, before any window.
void RegisterWindowClasses(HINSTANCE instance);

// The program's exit code: the message loop's, that of a command line without a window (its
// conversions' or its box's), or 1 after an error that ended the run.
int RunProgram(HINSTANCE instance) noexcept;

}  // namespace tabulor

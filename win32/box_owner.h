// The owner of the boxes that the tool opens: while one is open every window of the tool is
// disabled, even when another program was in front as it opened, so that nothing can be run again
// from inside the box's own message loop.
#pragma once

#include <windows.h>

namespace tabulor {

// Made known by the main window once it is built, and forgotten as it goes (nullptr).
void SetMainWindow(HWND window) noexcept;

// The tool's active window, or its main window while no window of the tool is active.
HWND BoxOwner() noexcept;

}  // namespace tabulor

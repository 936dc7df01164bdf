// How the main window is first shown.
#pragma once

#include <string>
#include <vector>

#include "shell/placement.h"

class QWidget;

namespace tabulor {

// The names given on the command line after the program's own, as the system's 8-bit
// encoding of file names spells them.
std::vector<std::u16string> CommandLineFileNames(int argc, const char* const argv[]);

// Centres the window's outer frame on the primary screen and shows it as how says.
void ShowMainWindow(QWidget& window, TStartShow how);

}  // namespace tabulor

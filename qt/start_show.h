// How the main window is first shown.
#pragma once

#include <string>
#include <vector>

#include "shell/messages.h"

class QWidget;

namespace tabulor {

// The show command that started the process; on platforms without one, the normal one.
int StartupShowCommand();

// The names given on the command line after the program's own, as the system's 8-bit
// encoding of file names spells them.
std::vector<std::u16string> CommandLineFileNames(int argc, const char* const argv[]);

// The window's outer frame centred on the primary screen.
void CentreOnPrimaryScreen(QWidget& window);

// Centres the window and shows it as how says. Where the window manager frames the window only
// once it is shown, a window shown normally is centred once more when its frame is known.
void ShowMainWindow(QWidget& window, TStartShow how);

}  // namespace tabulor

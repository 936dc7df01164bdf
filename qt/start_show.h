// How the main window is first shown.
#pragma once

class QWidget;

namespace tabulor {

enum class TStartShow { Normal, Maximized, Minimized };

// The show command that started the process; on platforms without one, the normal one.
int StartupShowCommand();

// Only "maximised" (3) and "minimised without activation" (7) are honoured; every other
// command, plain "minimised" included, shows the window normally.
TStartShow StartShowFromCommand(int showCommand);

// A maximised window may grow beyond the size it is otherwise fixed at.
void ShowMainWindow(QWidget& window, TStartShow how);

}  // namespace tabulor

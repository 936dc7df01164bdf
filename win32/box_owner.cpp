#include "win32/box_owner.h"

namespace tabulor {
namespace {

HWND MainWindow = nullptr;

}  // namespace

void SetMainWindow(HWND window) noexcept
{
    MainWindow = window;
}

HWND BoxOwner() noexcept
{
    // The active window of this thread only: none while another program is in front.
    HWND active = GetActiveWindow();
    return active != nullptr ? active : MainWindow;
}

}  // namespace tabulor

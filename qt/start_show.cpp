#include "qt/start_show.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tabulor {
namespace {

// The values of Windows' SW_ constants, so that the rule reads the same everywhere.
constexpr int ShowNormal = 1;
constexpr int ShowMaximized = 3;
constexpr int ShowMinNoActive = 7;

}  // namespace

int StartupShowCommand()
{
#ifdef Q_OS_WIN
    STARTUPINFOW info{};
    info.cb = sizeof info;
    GetStartupInfoW(&info);
    if (info.dwFlags & STARTF_USESHOWWINDOW)
        return info.wShowWindow;
#endif
    return ShowNormal;
}

TStartShow StartShowFromCommand(int showCommand)
{
    switch (showCommand) {
    case ShowMaximized:
        return TStartShow::Maximized;
    case ShowMinNoActive:
        return TStartShow::Minimized;
    default:
        return TStartShow::Normal;
    }
}

void ShowMainWindow(QWidget& window, TStartShow how)
{
    switch (how) {
    case TStartShow::Maximized:
        window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window.showMaximized();
        break;
    case TStartShow::Minimized:
        window.showMinimized();
        break;
    case TStartShow::Normal:
        window.show();
        break;
    }
}

}  // namespace tabulor

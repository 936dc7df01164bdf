// The monitor that holds a window, where the tool's dialogs appear.
#pragma once

#include <windows.h>

#include "shell/geometry.h"

namespace tabulor {

inline TRect MonitorOf(HWND window)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
    const RECT& r = info.rcMonitor;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace tabulor

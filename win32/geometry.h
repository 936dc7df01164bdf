// The system's points and rectangles as the window's rules take and give them, and the monitor
// that holds a window, where the tool's dialogs appear.
#pragma once

#include <windows.h>

#include "shell/geometry.h"

namespace tabulor {

inline TRect ToTRect(const RECT& r)
{
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

inline RECT ToRECT(const TRect& r)
{
    return {r.Left, r.Top, r.Left + r.Width, r.Top + r.Height};
}

inline TSize SizeOf(const RECT& r)
{
    return {r.right - r.left, r.bottom - r.top};
}

inline TPoint ToTPoint(const POINT& point)
{
    return {point.x, point.y};
}

inline TRect ClientArea(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    return ToTRect(client);
}

inline TRect MonitorOf(HWND window)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
    return ToTRect(info.rcMonitor);
}

}  // namespace tabulor

// Owners of the system objects that the program creates, released on every path.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <memory>
#include <type_traits>

namespace tabulor {

// A top-level window that an object owns, destroyed with the object; its child windows go with
// it and are never owned on their own. The window may go first, as the main window goes when it
// is closed: its window procedure then calls Forget. While the window goes, Get still gives
// it, so that its last messages are handled. It neither copies nor moves.
class TWindow {
public:
    TWindow() = default;
    ~TWindow()
    {
        if (Handle != nullptr)
            DestroyWindow(Handle);
    }
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    void Own(HWND window) { Handle = window; }
    void Forget() { Handle = nullptr; }
    HWND Get() const { return Handle; }

private:
    HWND Handle = nullptr;
};

// Frees a handle with the system call that goes with it.
template <auto Free>
struct TFreeWith {
    void operator()(auto handle) const { Free(handle); }
};
using TFont = std::unique_ptr<std::remove_pointer_t<HFONT>, TFreeWith<DeleteObject>>;
using TIcon = std::unique_ptr<std::remove_pointer_t<HICON>, TFreeWith<DestroyIcon>>;
using TArgumentList = std::unique_ptr<LPWSTR, TFreeWith<LocalFree>>;
using TDrop = std::unique_ptr<std::remove_pointer_t<HDROP>, TFreeWith<DragFinish>>;
using TGlobal = std::unique_ptr<void, TFreeWith<GlobalFree>>;
// A folder search, which FindFirstFileExW gives as INVALID_HANDLE_VALUE when it finds nothing.
using TFindHandle = std::unique_ptr<void, TFreeWith<FindClose>>;

// A device context of a window's client area, with a font selected into it for measuring.
class TMeasuringDC {
public:
    TMeasuringDC(HWND window, HFONT font)
        : Window(window), DC(GetDC(window)), Previous(SelectObject(DC, font))
    {
    }
    ~TMeasuringDC()
    {
        SelectObject(DC, Previous);
        ReleaseDC(Window, DC);
    }
    TMeasuringDC(const TMeasuringDC&) = delete;
    TMeasuringDC& operator=(const TMeasuringDC&) = delete;
    HDC Handle() const { return DC; }

private:
    HWND Window;
    HDC DC;
    HGDIOBJ Previous;
};

// The calling thread's single-threaded COM apartment, entered for the object's lifetime: the
// home of the accessible objects that the thread's windows hand to screen readers.
class TComApartment {
public:
    TComApartment()
        : Entered(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
    {
    }
    ~TComApartment()
    {
        if (Entered)
            CoUninitialize();
    }
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;

private:
    bool Entered;
};

}  // namespace tabulor

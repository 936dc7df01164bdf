#include "win32/notice.h"

#include <algorithm>
#include <array>
#include <string>

#include "resources/string_table.h"
#include "shell/layout.h"
#include "shell/messages.h"
#include "shell/placement.h"
#include "shell/text.h"
#include "win32/box_owner.h"
#include "win32/control_ids.h"
#include "win32/guard.h"
#include "win32/monitor.h"
#include "win32/handles.h"
#include "win32/wide.h"
#include "win32/window_proc.h"

namespace tabulor {
namespace {

constexpr DWORD NoticeStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD NoticeExStyle = WS_EX_DLGMODALFRAME;
// Sizes at 96 dots per inch: the system's usual push button, and the room around the text.
constexpr TSize DesignButton = {75, 23};
constexpr int DesignMargin = 12;

class TNotice {
public:
    TNotice(HWND owner, std::u16string_view text);
    ~TNotice() { DestroyWindow(Window); }
    TNotice(const TNotice&) = delete;
    TNotice& operator=(const TNotice&) = delete;

    void RunModal();

    void Attach(HWND window) { Window = window; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    bool KeyPreview(const MSG& message);
    void CopyToClipboard() const;
    void LayOut(UINT dpi);

    HWND Owner;
    std::u16string Text;
    std::u16string OkCaption = FromUtf8(strings::SOk);
    HWND Window = nullptr;
    HWND Message = nullptr;
    HWND OK = nullptr;
    TFont Font;
    bool Closed = false;
};

TFont MessageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    return TFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

TNotice::TNotice(HWND owner, std::u16string_view text) : Owner(owner), Text(text)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    Window = CreateWindowExW(NoticeExStyle, MessageFormClassName, ToWide(FormCaption).c_str(),
                             NoticeStyle, 0, 0, 0, 0, owner, nullptr, instance, this);
    Message = CreateWindowExW(0, L"STATIC", ToWide(Text).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                              0, 0, 0, 0, Window, nullptr, instance, nullptr);
    OK = CreateWindowExW(0, L"BUTTON", ToWide(OkCaption).c_str(),
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, Window,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
    LayOut(owner ? GetDpiForWindow(owner) : GetDpiForSystem());
}

void TNotice::LayOut(UINT dpi)
{
    Font = MessageFont(dpi);
    SendMessageW(Message, WM_SETFONT, reinterpret_cast<WPARAM>(Font.get()), FALSE);
    SendMessageW(OK, WM_SETFONT, reinterpret_cast<WPARAM>(Font.get()), FALSE);

    RECT textRect = {0, 0, NoticeWrapWidth(GetSystemMetrics(SM_CXSCREEN)), 0};
    {
        TMeasuringDC dc(Message, Font.get());
        const std::wstring text = ToWide(Text);
        DrawTextW(dc.Handle(), text.c_str(), static_cast<int>(text.size()), &textRect,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    const auto scaled = [dpi](int length) { return MulDiv(length, static_cast<int>(dpi), DesignDpi); };
    const TNoticeLayout layout = LayOutNotice({textRect.right, textRect.bottom},
                                              {scaled(DesignButton.Width), scaled(DesignButton.Height)},
                                              scaled(DesignMargin), scaled(DesignMargin));
    MoveWindow(Message, layout.Text.Left, layout.Text.Top, layout.Text.Width, layout.Text.Height, FALSE);
    MoveWindow(OK, layout.Button.Left, layout.Button.Top, layout.Button.Width, layout.Button.Height, FALSE);

    RECT frame = {0, 0, layout.Client.Width, layout.Client.Height};
    AdjustWindowRectExForDpi(&frame, NoticeStyle, FALSE, NoticeExStyle, dpi);
    const TSize size = {frame.right - frame.left, frame.bottom - frame.top};
    const TPoint at = CentredTopLeft(MonitorOf(Owner), size);
    SetWindowPos(Window, nullptr, at.X, at.Y, size.Width, size.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every other window of the tool is disabled until the notice closes.
void TNotice::RunModal()
{
    if (Owner)
        EnableWindow(Owner, FALSE);
    ShowWindow(Window, SW_SHOW);
    SetFocus(OK);
    MSG message;
    BOOL got = TRUE;
    while (!Closed && (got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        bool handled = false;
        RunGuarded([&] { handled = KeyPreview(message); });
        if (!handled) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (got == 0)
        PostQuitMessage(static_cast<int>(message.wParam));
    // The owner is enabled before the notice goes, so that it becomes the active window again.
    if (Owner)
        EnableWindow(Owner, TRUE);
    ShowWindow(Window, SW_HIDE);
}

// Enter and Escape close the notice, as its default and cancel button; Ctrl+C copies it.
bool TNotice::KeyPreview(const MSG& message)
{
    if (message.message != WM_KEYDOWN || (message.hwnd != Window && !IsChild(Window, message.hwnd)))
        return false;
    if (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE) {
        Closed = true;
        return true;
    }
    if (message.wParam == 'C' && GetKeyState(VK_CONTROL) < 0) {
        CopyToClipboard();
        return true;
    }
    return false;
}

void TNotice::CopyToClipboard() const
{
    const std::array<std::u16string_view, 1> buttons = {OkCaption};
    const std::u16string clip = NoticeClipboardText(FormCaption, Text, buttons, u"\r\n");
    const std::size_t bytes = (clip.size() + 1) * sizeof(char16_t);
    TGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return;
    void* data = GlobalLock(memory.get());
    if (data == nullptr)
        return;
    std::copy(clip.c_str(), clip.c_str() + clip.size() + 1, static_cast<char16_t*>(data));
    GlobalUnlock(memory.get());
    if (!OpenClipboard(Window))
        return;
    EmptyClipboard();
    // Once the clipboard holds the memory, it is the clipboard's to free.
    if (SetClipboardData(CF_UNICODETEXT, memory.get()))
        memory.release();
    CloseClipboard();
}

LRESULT TNotice::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            Closed = true;
        return 0;
    case WM_CLOSE:
        Closed = true;
        return 0;
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    default:
        return DefWindowProcW(Window, message, wParam, lParam);
    }
}

}  // namespace

void RegisterNoticeClass(HINSTANCE instance)
{
    RegisterOwnedClass<TNotice>(instance, MessageFormClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

void ShowNotice(std::u16string_view text)
{
    TNotice notice(BoxOwner(), text);
    notice.RunModal();
}

}  // namespace tabulor

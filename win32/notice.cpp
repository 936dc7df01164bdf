#include "win32/notice.h"

#include <algorithm>
#include <optional>
#include <string>

#include "shell/layout.h"
#include "shell/messages.h"
#include "shell/placement.h"
#include "win32/box_owner.h"
#include "win32/control_ids.h"
#include "win32/geometry.h"
#include "win32/keys.h"
#include "win32/message_loop.h"
#include "win32/wide.h"
#include "win32/window_proc.h"

namespace tabulor {
namespace {

constexpr DWORD NoticeStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD NoticeExStyle = WS_EX_DLGMODALFRAME;

TFont MessageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    return TFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

}  // namespace

void TMessageForm::RegisterWindowClass(HINSTANCE instance)
{
    RegisterOwnedClass<TMessageForm>(instance, MessageFormClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

TMessageForm::TMessageForm(HWND owner, std::u16string_view text)
    : Owner(owner), Text(text)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    CreateWindowExW(NoticeExStyle, MessageFormClassName, ToWide(FormTitle).c_str(), NoticeStyle, 0, 0, 0,
                    0, owner, nullptr, instance, this);
    Message = CreateWindowExW(0, L"STATIC", ToWide(Text).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                                0, 0, 0, Window.Get(), nullptr, instance, nullptr);
    OK = CreateWindowExW(0, L"BUTTON", ToWide(NoticeButtonText()).c_str(),
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, Window.Get(),
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
    LayOut(owner ? GetDpiForWindow(owner) : GetDpiForSystem());
}

void TMessageForm::LayOut(UINT dpi)
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
    const TNoticeMetrics& metrics = WindowsNoticeMetrics;
    const TSize button = {scaled(metrics.Button.Width), scaled(metrics.Button.Height)};
    const TNoticeLayout layout = LayOutNotice({textRect.right, textRect.bottom}, button, scaled(metrics.Margin),
                                              scaled(metrics.Spacing));
    MoveWindow(Message, layout.Text.Left, layout.Text.Top, layout.Text.Width, layout.Text.Height, FALSE);
    MoveWindow(OK, layout.Button.Left, layout.Button.Top, layout.Button.Width, layout.Button.Height, FALSE);

    RECT frame = {0, 0, layout.Client.Width, layout.Client.Height};
    AdjustWindowRectExForDpi(&frame, NoticeStyle, FALSE, NoticeExStyle, dpi);
    const TSize size = SizeOf(frame);
    const TPoint at = CentredTopLeft(MonitorOf(Owner), size);
    SetWindowPos(Window.Get(), nullptr, at.X, at.Y, size.Width, size.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every other window of the tool is disabled until the notice closes.
void TMessageForm::RunModal()
{
    if (Owner)
        EnableWindow(Owner, FALSE);
    ShowWindow(Window.Get(), SW_SHOW);
    SetFocus(OK);
    const std::optional<int> quit =
        RunMessageLoop([this](const MSG& message) { return KeyPreview(message); }, [this] { return Closed; });
    if (quit)
        PostQuitMessage(*quit);
    // The owner is enabled before the notice goes, so that it becomes the active window again.
    if (Owner)
        EnableWindow(Owner, TRUE);
    ShowWindow(Window.Get(), SW_HIDE);
}

bool TMessageForm::KeyPreview(const MSG& message)
{
    if (!IsKeyDownIn(message, Window.Get()))
        return false;
    switch (AnswerNoticeKey(KeyOf(message.wParam), HeldModifiers())) {
    case TNoticeKeyAction::None:
        return false;
    case TNoticeKeyAction::Close:
        Closed = true;
        break;
    case TNoticeKeyAction::Copy:
        CopyToClipboard();
        break;
    }
    return true;
}

void TMessageForm::CopyToClipboard() const
{
    const std::u16string clip = NoticeClipboardText(Text, u"\r\n");
    const std::size_t bytes = (clip.size() + 1) * sizeof(char16_t);
    TGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return;
    void* data = GlobalLock(memory.get());
    if (data == nullptr)
        return;
    std::copy(clip.c_str(), clip.c_str() + clip.size() + 1, static_cast<char16_t*>(data));
    GlobalUnlock(memory.get());
    if (!OpenClipboard(Window.Get()))
        return;
    EmptyClipboard();
    // Once the clipboard holds the memory, it is the clipboard's to free.
    if (SetClipboardData(CF_UNICODETEXT, memory.get()))
        memory.release();
    CloseClipboard();
}

LRESULT TMessageForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
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
        return DefWindowProcW(Window.Get(), message, wParam, lParam);
    }
}

void ShowNotice(std::u16string_view text)
{
    TMessageForm notice(BoxOwner(), text);
    notice.RunModal();
}

}  // namespace tabulor

#include "win32/spin_edit.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>

#include "shell/layout.h"
#include "shell/spin_field.h"
#include "win32/accessible_names.h"
#include "win32/control_ids.h"
#include "win32/focus_select.h"
#include "win32/guard.h"
#include "win32/wide.h"
#include "win32/window_proc.h"

namespace tabulor {
namespace {

constexpr UINT_PTR RepeatTimer = 1;

}  // namespace

void TSpinEdit::RegisterArrowClass(HINSTANCE instance)
{
    RegisterOwnedClass<TSpinEdit>(instance, SpinArrowsClassName, nullptr);
}

TSpinEdit::TSpinEdit(HWND edit, char16_t decimalSeparator)
    : Edit(edit), DecimalSeparator(decimalSeparator)
{
    Arrows = CreateWindowExW(0, SpinArrowsClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, edit,
                             nullptr, GetModuleHandleW(nullptr), this);
    SetWindowSubclass(edit, EditProc, 0, reinterpret_cast<DWORD_PTR>(this));
    // Typing is filtered character by character: an input method's composed text would pass
    // round the filter.
    ImmAssociateContextEx(edit, nullptr, 0);
}

void TSpinEdit::LayOut(int textHeight)
{
    RECT client;
    GetClientRect(Edit, &client);
    const int width = ScaleToText(SpinArrowWidth, textHeight);
    MoveWindow(Arrows, client.right - width, 0, width, client.bottom, TRUE);
    SendMessageW(Edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

LRESULT CALLBACK TSpinEdit::EditProc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self)
{
    LRESULT result = 0;
    RunGuarded([&] { result = reinterpret_cast<TSpinEdit*>(self)->EditMessage(message, wParam, lParam); });
    return result;
}

LRESULT TSpinEdit::EditMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (HandleEditFocus(Edit, message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_CHAR:
        EditChar(wParam, lParam);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN) {
            Step(wParam == VK_UP ? 1 : -1);
            return 0;
        }
        break;
    case WM_PAINT: {
        // Wine's edit paints over its children whatever their clipping style: the arrows
        // paint again after it.
        const LRESULT painted = DefSubclassProc(Edit, message, wParam, lParam);
        RedrawWindow(Arrows, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return painted;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(Edit, EditProc, 0);
        break;
    }
    return DefSubclassProc(Edit, message, wParam, lParam);
}

void TSpinEdit::EditChar(WPARAM character, LPARAM keystroke)
{
    if (IsSpinEditChar(static_cast<char32_t>(character), DecimalSeparator))
        DefSubclassProc(Edit, WM_CHAR, character, keystroke);
    else
        MessageBeep(MB_OK);
}

// The caret ends up after the new value, so that typing goes on from there.
void TSpinEdit::Step(int direction)
{
    const std::u16string text = SteppedSpinText(WindowText(Edit), direction * SpinFieldBounds.Increment,
                                                SpinFieldBounds.MinValue, SpinFieldBounds.MaxValue);
    SetControlText(Edit, text);
    SendMessageW(Edit, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
}

LRESULT TSpinEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_PAINT:
        ArrowsPaint();
        return 0;
    case WM_LBUTTONDOWN:
        ArrowsMouseDown(at);
        return 0;
    case WM_MOUSEMOVE:
        if (PressedDirection != 0)
            InvalidateRect(Arrows, nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP:
        ArrowsMouseUp(at);
        return 0;
    case WM_TIMER:
        ArrowsTimer();
        return 0;
    case WM_CAPTURECHANGED:
        ArrowsCaptureLost();
        return 0;
    case WM_GETOBJECT:
        if (const LRESULT object = AnswerSpinArrowsObject(Arrows, wParam, lParam,
                                                          [this](int direction) { return ArrowRect(direction); }))
            return object;
        return DefWindowProcW(Arrows, message, wParam, lParam);
    default:
        return DefWindowProcW(Arrows, message, wParam, lParam);
    }
}

RECT TSpinEdit::ArrowRect(int direction) const
{
    RECT rect;
    GetClientRect(Arrows, &rect);
    const LONG middle = rect.bottom / 2;
    if (direction > 0)
        rect.bottom = middle;
    else
        rect.top = middle;
    return rect;
}

bool TSpinEdit::PointerOverPressed() const
{
    POINT pointer;
    GetCursorPos(&pointer);
    ScreenToClient(Arrows, &pointer);
    const RECT pressed = ArrowRect(PressedDirection);
    return PressedDirection != 0 && PtInRect(&pressed, pointer);
}

void TSpinEdit::ArrowsPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Arrows, &paint);
    const bool pushed = PointerOverPressed();
    for (const int direction : {1, -1}) {
        RECT rect = ArrowRect(direction);
        UINT state = direction > 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
        if (pushed && direction == PressedDirection)
            state |= DFCS_PUSHED;
        DrawFrameControl(dc, &rect, DFC_SCROLL, state);
    }
    EndPaint(Arrows, &paint);
}

void TSpinEdit::ArrowsMouseDown(POINT at)
{
    const RECT up = ArrowRect(1);
    PressedDirection = PtInRect(&up, at) ? 1 : -1;
    SetCapture(Arrows);
    // The focus comes from the arrow, not from a press on the field: the text is selected.
    SetFocus(Edit);
    Repeat.Press(TArrowRepeat::TTime::clock::now());
    ArmTimer();
    InvalidateRect(Arrows, nullptr, FALSE);
}

void TSpinEdit::ArrowsMouseUp(POINT at)
{
    if (PressedDirection == 0)
        return;
    const RECT pressed = ArrowRect(PressedDirection);
    const int direction = PressedDirection;
    const bool steps = Repeat.Release(PtInRect(&pressed, at) != FALSE);
    // Letting go of the capture cancels the press, which has just ended anyway.
    ReleaseCapture();
    if (steps)
        Step(direction);
}

void TSpinEdit::ArrowsTimer()
{
    if (Repeat.Tick(TArrowRepeat::TTime::clock::now(), PointerOverPressed()))
        Step(PressedDirection);
    ArmTimer();
}

void TSpinEdit::ArrowsCaptureLost()
{
    Repeat.Cancel();
    PressedDirection = 0;
    KillTimer(Arrows, RepeatTimer);
    InvalidateRect(Arrows, nullptr, FALSE);
}

void TSpinEdit::ArmTimer()
{
    const auto next = Repeat.NextTick();
    if (!next) {
        KillTimer(Arrows, RepeatTimer);
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - TArrowRepeat::TTime::clock::now());
    SetTimer(Arrows, RepeatTimer, static_cast<UINT>(std::max<long long>(USER_TIMER_MINIMUM, wait.count())), nullptr);
}

}  // namespace tabulor

#include "win32/spin_edit.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>

#include "shell/layout.h"
#include "shell/spin_field.h"
#include "win32/accessible_names.h"
#include "win32/control_ids.h"
#include "win32/focus_select.h"
#include "win32/geometry.h"
#include "win32/guard.h"
#include "win32/keys.h"
#include "win32/wide.h"
#include "win32/window_proc.h"

namespace tabulor {

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
    const TRect client = ClientArea(Edit);
    const int width = ScaleToText(SpinArrowWidth, textHeight);
    MoveWindow(Arrows, client.Width - width, 0, width, client.Height, TRUE);
    Press.Place({0, 0, width, client.Height});
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
        if (const int direction = SpinKeyStep(KeyOf(wParam))) {
            Step(direction);
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
    if (IsSpinFieldChar(static_cast<char32_t>(character), DecimalSeparator))
        DefSubclassProc(Edit, WM_CHAR, character, keystroke);
    else
        MessageBeep(MB_OK);
}

// The caret ends up after the new value, so that typing goes on from there.
void TSpinEdit::Step(int direction)
{
    const std::u16string text = StepSpinField(WindowText(Edit), direction);
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
        if (Press.Held() != 0)
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
        if (const LRESULT object = AnswerSpinArrowsObject(Arrows, wParam, lParam))
            return object;
        return DefWindowProcW(Arrows, message, wParam, lParam);
    default:
        return DefWindowProcW(Arrows, message, wParam, lParam);
    }
}

// The pointer in the arrows' window.
TPoint TSpinEdit::Pointer() const
{
    POINT pointer;
    GetCursorPos(&pointer);
    ScreenToClient(Arrows, &pointer);
    return ToTPoint(pointer);
}

void TSpinEdit::ArrowsPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Arrows, &paint);
    const TPoint pointer = Pointer();
    for (const int direction : {1, -1}) {
        RECT rect = ToRECT(Press.ArrowRect(direction));
        UINT state = direction > 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
        if (Press.ShownPushed(direction, pointer))
            state |= DFCS_PUSHED;
        DrawFrameControl(dc, &rect, DFC_SCROLL, state);
    }
    EndPaint(Arrows, &paint);
}

void TSpinEdit::ArrowsMouseDown(POINT at)
{
    Press.Press(ToTPoint(at), TSpinArrows::TTime::clock::now());
    SetCapture(Arrows);
    // The focus comes from the arrow, not from a press on the field: the text is selected.
    SetFocus(Edit);
    ArmTimer();
    InvalidateRect(Arrows, nullptr, FALSE);
}

void TSpinEdit::ArrowsMouseUp(POINT at)
{
    if (Press.Held() == 0)
        return;
    const int direction = Press.Release(ToTPoint(at));
    // Letting go of the capture cancels the press, which has just ended anyway.
    ReleaseCapture();
    if (direction != 0)
        Step(direction);
}

void TSpinEdit::ArrowsTimer()
{
    if (const int direction = Press.Tick(TSpinArrows::TTime::clock::now(), Pointer()))
        Step(direction);
    ArmTimer();
}

void TSpinEdit::ArrowsCaptureLost()
{
    Press.Cancel();
    KillTimer(Arrows, RepeatTimer);
    InvalidateRect(Arrows, nullptr, FALSE);
}

void TSpinEdit::ArmTimer()
{
    const auto next = Press.NextTick();
    if (!next) {
        KillTimer(Arrows, RepeatTimer);
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - TSpinArrows::TTime::clock::now());
    SetTimer(Arrows, RepeatTimer, static_cast<UINT>(std::max<long long>(USER_TIMER_MINIMUM, wait.count())), nullptr);
}

}  // namespace tabulor

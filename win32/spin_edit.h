// A numeric spin field: a system edit with a pair of arrow buttons inside its right end, which
// step the value, repeat while held, and stop when anything else takes the mouse.
#pragma once

#include <windows.h>

#include "shell/spin_arrows.h"

namespace tabulor {

class TSpinEdit {
public:
    // The arrows' timer, which steps a held arrow again.
    static constexpr UINT_PTR RepeatTimer = 1;

    static void RegisterArrowClass(HINSTANCE instance);

    // Takes over edit, which must have WS_CLIPCHILDREN so that it does not paint over its arrows.
    TSpinEdit(HWND edit, char16_t decimalSeparator);
    TSpinEdit(const TSpinEdit&) = delete;
    TSpinEdit& operator=(const TSpinEdit&) = delete;

    // Places the arrows once the edit has its size and font.
    void LayOut(int textHeight);

    // The arrows' window.
    void Attach(HWND arrows) { Arrows = arrows; }
    void Detach() { Arrows = nullptr; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR self);
    LRESULT EditMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void EditChar(WPARAM character, LPARAM keystroke);
    void ArrowsPaint();
    void ArrowsMouseDown(POINT at);
    void ArrowsMouseUp(POINT at);
    void ArrowsTimer();
    void ArrowsCaptureLost();
    void ArmTimer();
    TPoint Pointer() const;
    void Step(int direction);

    HWND Edit;
    HWND Arrows = nullptr;
    char16_t DecimalSeparator;
    TSpinArrows Press;
};

}  // namespace tabulor

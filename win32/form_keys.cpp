// The main window's keyboard: its own tab order, the arrows of the radio group, and Enter on a
// focused push button. No dialog manager runs, so no button is default and Escape presses
// nothing.
#include "shell/focus.h"
#include "shell/layout.h"
#include "win32/form_main.h"

namespace tabulor {
namespace {

bool Held(int key)
{
    return GetKeyState(key) < 0;
}

}  // namespace

bool TFormMain::KeyPreview(const MSG& message)
{
    if (message.message != WM_KEYDOWN || (message.hwnd != Window.Get() && !IsChild(Window.Get(), message.hwnd)))
        return false;
    const std::optional<TControlId> focused = IdOf(GetFocus());
    switch (message.wParam) {
    case VK_TAB:
        if (Held(VK_CONTROL) || Held(VK_MENU))
            return false;
        SetFocus(ControlHandle(NextTabStop(focused, !Held(VK_SHIFT), SelectedOutput())));
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (!focused || !IsOutputKind(*focused))
            return false;
        SelectOutput(NextOutputKind(*focused, message.wParam == VK_RIGHT || message.wParam == VK_DOWN));
        return true;
    case VK_RETURN: {
        const bool modifierHeld = Held(VK_SHIFT) || Held(VK_CONTROL) || Held(VK_MENU);
        if (!focused || !EnterPressesFocused(Control(*focused).Kind, modifierHeld))
            return false;
        SendMessageW(GetFocus(), BM_CLICK, 0, 0);
        return true;
    }
    default:
        return false;
    }
}

// An arrow key moves the focus to the next option and selects it, as a click would.
void TFormMain::SelectOutput(TControlId id)
{
    const TControlId selected = SelectedOutput();
    SetFocus(ControlHandle(id));
    SendMessageW(ControlHandle(selected), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(ControlHandle(id), BM_SETCHECK, BST_CHECKED, 0);
}

TControlId TFormMain::SelectedOutput() const
{
    return SelectedOutputKind([this](TControlId id) { return Checked(id); });
}

// None for a window that is no control of the layout table.
std::optional<TControlId> TFormMain::IdOf(HWND control) const
{
    const auto entries = FormControls();
    for (std::size_t i = 0; i < Controls.size(); ++i) {
        if (Controls[i] == control)
            return entries[i].Id;
    }
    return std::nullopt;
}

}  // namespace tabulor

// The main window's keyboard: its own tab order, the arrows of the radio group, and Enter on a
// focused push button. No dialog manager runs, so no button is default and Escape presses
// nothing.
#include "shell/focus.h"
#include "shell/layout.h"
#include "win32/control_ids.h"
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
    if (message.message != WM_KEYDOWN || (message.hwnd != Window && !IsChild(Window, message.hwnd)))
        return false;
    const std::string_view focused = NameOf(GetFocus());
    const TControlKind kind = focused.empty() ? TControlKind::Label : FindControl(focused).Kind;
    switch (message.wParam) {
    case VK_TAB:
        if (Held(VK_CONTROL) || Held(VK_MENU))
            return false;
        MoveFocus(NextTabStop(focused, !Held(VK_SHIFT), SelectedOutput()));
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (kind != TControlKind::RadioButton)
            return false;
        SelectOutput(NextOutputKind(focused, message.wParam == VK_RIGHT || message.wParam == VK_DOWN));
        return true;
    case VK_RETURN:
        if (kind != TControlKind::Button || Held(VK_SHIFT) || Held(VK_CONTROL) || Held(VK_MENU))
            return false;
        SendMessageW(GetFocus(), BM_CLICK, 0, 0);
        return true;
    default:
        return false;
    }
}

void TFormMain::MoveFocus(std::string_view name)
{
    SetFocus(Control(name));
}

// An arrow key moves the focus to the next option and selects it, as a click would.
void TFormMain::SelectOutput(std::string_view name)
{
    MoveFocus(name);
    for (const TControlLayout& entry : FormControls()) {
        if (entry.Kind == TControlKind::RadioButton)
            SendMessageW(Control(entry.Name), BM_SETCHECK, entry.Name == name ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

std::string_view TFormMain::SelectedOutput() const
{
    for (const TControlLayout& entry : FormControls()) {
        if (entry.Kind == TControlKind::RadioButton
            && SendMessageW(Control(entry.Name), BM_GETCHECK, 0, 0) == BST_CHECKED)
            return entry.Name;
    }
    return {};
}

// The control's name in the layout table; empty for anything that is not one of them.
std::string_view TFormMain::NameOf(HWND control) const
{
    const auto entries = FormControls();
    for (std::size_t i = 0; i < Controls.size(); ++i) {
        if (Controls[i] == control)
            return entries[i].Name;
    }
    return {};
}

}  // namespace tabulor

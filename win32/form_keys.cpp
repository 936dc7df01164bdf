// The main window's keyboard, as the window's key rules answer it. No dialog manager runs, so
// every key that the rules name is taken here, before the focused control sees it.
#include <algorithm>

#include "shell/focus.h"
#include "shell/keys.h"
#include "win32/form_main.h"
#include "win32/keys.h"

namespace tabulor {

bool TFormMain::KeyPreview(const MSG& message)
{
    if (!IsKeyDownIn(message, Window.Get()))
        return false;
    const TFormKeyAnswer answer =
        AnswerFormKey(KeyOf(message.wParam), HeldModifiers(), IdOf(GetFocus()), SelectedOutput(), View);
    switch (answer.Action) {
    case TFormKeyAction::None:
        return false;
    case TFormKeyAction::Focus:
        SetFocus(ControlHandle(answer.Target));
        break;
    case TFormKeyAction::Select:
        SelectOutput(answer.Target);
        break;
    case TFormKeyAction::Press:
        SendMessageW(ControlHandle(answer.Target), BM_CLICK, 0, 0);
        break;
    }
    return true;
}

// The focus moves to the option, which is selected, as a click would select it.
void TFormMain::SelectOutput(TControlId id)
{
    const TControlId selected = SelectedOutput();
    SetFocus(ControlHandle(id));
    SendMessageW(ControlHandle(selected), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(ControlHandle(id), BM_SETCHECK, BST_CHECKED, 0);
}

TControlId TFormMain::SelectedOutput() const
{
    return SelectedOutputKind(Reader().Checked);
}

// None for a window that is no control of the layout table.
std::optional<TControlId> TFormMain::IdOf(HWND control) const
{
    const auto found = std::find(Controls.begin(), Controls.end(), control);
    if (found == Controls.end())
        return std::nullopt;
    return static_cast<TControlId>(found - Controls.begin());
}

}  // namespace tabulor

// What each key does in the program's windows, whatever toolkit reports it: each front end maps its
// own key codes onto TKey and acts on the answer. Keys that no rule names are left to the
// control that has the focus.
#pragma once

#include <optional>

#include "shell/layout.h"

namespace tabulor {

// Shift+Tab is Tab with Shift held; both Enter keys are Enter.
enum class TKey { Tab, Enter, Escape, Left, Right, Up, Down, C, Other };

struct TModifiers {
    bool Shift = false;
    bool Control = false;
    bool Alt = false;
};

enum class TFormKeyAction {
    None,
    // The focus moves to Target.
    Focus,
    // Target, an output kind, takes the focus and is selected, as a click would select it.
    Select,
    // Target, the focused button, is pressed.
    Press,
};

struct TFormKeyAnswer {
    TFormKeyAction Action = TFormKeyAction::None;
    TControlId Target = {};
    friend bool operator==(const TFormKeyAnswer&, const TFormKeyAnswer&) = default;
};

// The main window's keys, with focused the control that has the focus (none for a window that is
// no control of the table): Tab and Shift+Tab go round the tab stops shown for the source's view
// unless Ctrl or Alt is held;
// the four arrows go round the output kinds from one of them, whatever is held; Enter presses a
// focused button unless Shift, Ctrl or Alt is held. No button is the window's default, so Enter
// elsewhere, and Escape anywhere, do nothing.
TFormKeyAnswer AnswerFormKey(TKey key, TModifiers held, std::optional<TControlId> focused,
                             TControlId selectedOutput, TSourceView view);

// The step that a key gives a spin field: +1 for Up and -1 for Down, whatever is held; 0 for
// every other key, which the field takes as an edit does.
int SpinKeyStep(TKey key);

// The notice closes on Enter and Escape, as its default and cancel button, and is copied by
// Ctrl+C, with or without Shift; Ctrl+Alt is AltGr, which types a character instead.
enum class TNoticeKeyAction { None, Close, Copy };
TNoticeKeyAction AnswerNoticeKey(TKey key, TModifiers held);

}  // namespace tabulor

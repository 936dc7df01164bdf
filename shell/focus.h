// How the keyboard moves the focus between the main window's controls, and how an edit takes it.
#pragma once

#include <functional>
#include <optional>

#include "shell/layout.h"

namespace tabulor {

// The control that Tab (forward) or Shift+Tab moves the focus to from current: the next tab stop
// in tab order, round the end, among the controls shown for the source's view. Of the output kinds
// only the selected one is a tab stop, so the group is entered at its selected option. From
// a control that is no tab stop or hides, or from none, the search starts at the first stop.
TControlId NextTabStop(std::optional<TControlId> current, bool forward, TControlId selectedOutput,
                       TSourceView view);

// Where the focus goes once the controls of view show: to the control shown in the place of the
// focused one when that one hides; none when it stays.
std::optional<TControlId> FocusMovedBy(std::optional<TControlId> focused, TSourceView view);

bool IsOutputKind(TControlId id);

// The output kind that an arrow key selects from current: the next (forward) or previous one of
// the group, round the end.
TControlId NextOutputKind(TControlId current, bool forward);

// The output kind that is selected, as checked tells of each: exactly one is, and should the
// window say none, the first counts, as the request reads the group.
TControlId SelectedOutputKind(const std::function<bool(TControlId)>& checked);

// What gave an edit the focus, as finely as a front end tells it: Windows tells a press on the
// edit from anything else, Qt names most of the causes.
enum class TFocusCause {
    // A primary-button press on the edit itself.
    PressOnControl,
    // Another button's press on the edit, or a press on a part of it that takes no text, as a
    // spin field's arrows.
    OtherPress,
    Tab,
    Backtab,
    Shortcut,
    // Its window became the active one again.
    ActiveWindow,
    // A popup of the edit's own, its context menu, closed and handed the focus back.
    PopupClosed,
    MenuBar,
    Other,
};

// An edit takes the focus with its whole text selected, so that the user types over it, unless
// the user put the caret or a selection there: by a primary-button press on the edit itself, or
// in the edit's own context menu.
bool SelectsAllOnFocus(TFocusCause cause);

}  // namespace tabulor

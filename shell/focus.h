// How the keyboard moves the focus between the main window's controls, and how an edit takes it.
#pragma once

#include <functional>
#include <optional>

#include "shell/layout.h"

namespace tabulor {

// The control that Tab (forward) or Shift+Tab moves the focus to from current: the next tab stop
// in tab order, round the end, among the controls shown for the source's view. Of the three output
// kinds only the selected one is a tab stop, so the group is entered at its selected option. From
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

// An edit takes the focus with its whole text selected unless a primary-button press on the
// edit itself gave it the focus.
enum class TFocusCause { PressOnControl, Other };
inline bool SelectsAllOnFocus(TFocusCause cause)
{
    return cause != TFocusCause::PressOnControl;
}

}  // namespace tabulor

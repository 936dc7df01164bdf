// How the keyboard moves the focus between the main window's controls.
#pragma once

#include <string_view>

namespace tabulor {

// The control that Tab (forward) or Shift+Tab moves the focus to from the control named current:
// the next tab stop in tab order, round the end. Of the three output kinds only the selected one
// is a tab stop, so the group is entered at its selected option. From a control that is no tab
// stop, the search starts at the first stop.
std::string_view NextTabStop(std::string_view current, bool forward,
                             std::string_view selectedOutput);

// The output kind that an arrow key selects from the one named current: the next (forward) or
// previous one of the group, round the end.
std::string_view NextOutputKind(std::string_view current, bool forward);

// An edit takes the focus with its whole text selected unless a primary-button press on the
// edit itself gave it the focus.
enum class TFocusCause { PressOnControl, Other };
inline bool SelectsAllOnFocus(TFocusCause cause)
{
    return cause != TFocusCause::PressOnControl;
}

}  // namespace tabulor

// The main window's controls, made from the layout that both front ends share.
#pragma once

class QWidget;

namespace tabulor {

// Creates every control of the layout in form, in the layout's order: its kind, name, place,
// text, check state and accessible name, each label the buddy of the field after it, the tab
// order, and the window font with the labels and boxes fitted to it.
void CreateFormControls(QWidget& form);

}  // namespace tabulor

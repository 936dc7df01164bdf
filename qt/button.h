// The window's push button.
#pragma once

#include <QPushButton>

namespace tabulor {

// Pressed by Enter while it has the focus, as by Space, unless Shift, Ctrl or Alt is held.
// The window has no default button, so Enter elsewhere presses nothing.
class TButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tabulor

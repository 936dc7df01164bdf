// The window's push button.
#pragma once

#include <QPushButton>

namespace tabulor {

// Pressed by Enter while it has the focus, as the shell's rule says, and by Space as any Qt
// button. It is never the window's default button.
class TButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tabulor

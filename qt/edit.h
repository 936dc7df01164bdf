// The window's single-line edit.
#pragma once

#include <QLineEdit>

#include "shell/focus.h"

namespace tabulor {

// Selects its whole text when it receives the focus, as the shared focus rule says for the
// cause, so that tabbing into a field lets the user type over it. Its text has no length limit
// beyond what an int counts, unlike Qt's default of 32767.
class TEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TEdit(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

    // Qt gives the focus for a press before it delivers the press, and a press on a child also
    // focuses the edit: whoever takes the press tells what it was, once, when the focus came
    // with the press now being handled. Called after the press has placed the caret.
    void SettleMouseFocus(TFocusCause press);

private:
    bool MouseFocusPending = false;
};

}  // namespace tabulor

// The window's single-line edit.
#pragma once

#include <QLineEdit>

namespace tabulor {

// Selects its whole text whenever it receives the focus other than by a primary-button press
// on itself, so that tabbing into a field lets the user type over it. Its text has no length
// limit beyond what an int counts, unlike Qt's default of 32767.
class TEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TEdit(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

    // Qt gives the focus for a press before it delivers the press, and a press on a child
    // also focuses the edit: whoever takes the press settles the selection. True once, when
    // the focus came with the press now being handled.
    bool TakeMouseFocus();

private:
    bool MouseFocusPending = false;
};

}  // namespace tabulor

// The notice, TMessageForm: a small modal window with a text and an OK button.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tabulor {

// Sized to its text, which wraps at half the primary screen's width, and centred on the screen
// of its owner. Enter, Escape, the button and the close box all close it. It shows no icon and
// offers no choice: its one button only closes it.
class TMessageForm : public QDialog {
    Q_OBJECT
public:
    TMessageForm(const QString& text, const QString& title, QWidget* owner);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QRect OwnerScreen() const;

    QLabel* Message;
    QPushButton* OK;
};

}  // namespace tabulor

// The platform's error message box.
#pragma once

#include <QString>

class QWidget;

namespace tabulor {

// Shows text in a box titled title, with the stop icon and one OK button, modal over owner, and
// returns when the user has closed it.
void ShowErrorBox(const QString& title, const QString& text, QWidget* owner);

}  // namespace tabulor

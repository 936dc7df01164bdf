// The two file pickers of the main window.
#pragma once

#include <QString>

class QWidget;

namespace tabulor {

enum class TPickerKind { Open, Save };

// Shows a file dialog modal over its owner and remembers the name it returned last, which it
// offers again next time, whatever the window's fields hold meanwhile.
class TFilePicker {
public:
    // Names longer than the 260-character buffer of the Windows dialogs are not returned.
    static constexpr qsizetype MaxFileNameLength = 259;

    TFilePicker(TPickerKind kind, QString objectName, QString title, QString filter,
                QString defaultSuffix);

    // True when the user picked a name. Afterwards the process's current folder is the picked
    // file's, so that relative names typed later resolve there.
    bool Execute(QWidget* owner);

    QString FileName() const { return LastName; }

private:
    TPickerKind Kind;
    QString ObjectName;
    QString Title;
    QString Filter;
    QString DefaultSuffix;
    QString LastName;
};

}  // namespace tabulor

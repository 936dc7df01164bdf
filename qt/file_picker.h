// The two file pickers of the main window.
#pragma once

#include <QString>

#include "shell/pickers.h"

class QWidget;

namespace tabulor {

// The Qt window runs on Linux: its names and pickers follow the POSIX rules.
inline constexpr TFileSystem FileSystem = TFileSystem::Posix;

// Shows Qt's file dialog modal over its owner and remembers the name it returned last, which it
// offers again next time, whatever the window's fields hold meanwhile.
class TFilePicker {
public:
    explicit TFilePicker(const TPickerSetup& setup) : Setup(setup) {}

    // True when the user picked a name. Afterwards the process's current folder is the picked
    // file's, so that relative names typed later resolve there.
    bool Execute(QWidget* owner);

    QString FileName() const { return LastName; }

private:
    TPickerSetup Setup;
    QString LastName;
};

}  // namespace tabulor

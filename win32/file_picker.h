// One of the window's two file pickers, the system's own file dialog, which remembers the name it
// returned last and offers it again.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "shell/pickers.h"

namespace tabulor {

// The names and pickers of the Windows window follow Windows' rules.
inline constexpr TFileSystem FileSystem = TFileSystem::Windows;

class TFilePicker {
public:
    explicit TFilePicker(const TPickerSetup& setup) : Setup(setup) {}

    // The chosen full name; none when the user cancels or the picker fails.
    std::optional<std::u16string> Execute(HWND owner);

private:
    TPickerSetup Setup;
    std::u16string LastName;
};

}  // namespace tabulor

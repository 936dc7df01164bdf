// The main window, TFormMain: the fields of one conversion request, the two pickers, and the
// buttons that run the conversion and close the tool.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/file_names.h"
#include "shell/messages.h"
#include "shell/request.h"
#include "win32/file_picker.h"
#include "win32/handles.h"
#include "win32/spin_edit.h"

namespace tabulor {

class TFormMain {
public:
    static void RegisterWindowClass(HINSTANCE instance);

    TFormMain(HINSTANCE instance, HICON bigIcon, HICON smallIcon);
    ~TFormMain();
    TFormMain(const TFormMain&) = delete;
    TFormMain& operator=(const TFormMain&) = delete;

    void Show(TStartShow show);

    // A source named on the command line fills both file fields, as a pick does.
    void ChooseSource(const std::optional<std::u16string>& name);

    // The window's own keys, taken before the focused control sees them: true when handled.
    bool KeyPreview(const MSG& message);

    void Attach(HWND window) { Window = window; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Creation and layout (form_layout.cpp).
    void CreateControls(HINSTANCE instance);
    void LayOut(UINT dpi);
    void PlaceControls();
    void FitFrame(UINT dpi);
    void Centre();
    void FormDpiChanged(WPARAM wParam, const RECT& suggested);

    // Handlers.
    void FormCommand(WPARAM wParam);
    void FormActivate(WPARAM wParam);
    void FormDropFiles(HDROP drop);
    void ButtonBrowseSrcFileClick();
    void ButtonBrowseDestFileClick();
    void ButtonExecuteClick();
    void ButtonExitClick();

    // Keyboard (form_keys.cpp).
    void MoveFocus(std::string_view name);
    void SelectOutput(std::string_view name);
    std::string_view SelectedOutput() const;
    std::string_view NameOf(HWND control) const;

    HWND Control(std::string_view name) const;
    TFormFields ReadFields() const;
    void SetFileFields(const TFileFields& fields);

    // Entered before the window is made and left after it is gone.
    TComApartment Apartment;
    HWND Window = nullptr;
    // One per control of the layout table, in its order.
    std::vector<HWND> Controls;
    std::vector<std::unique_ptr<TSpinEdit>> SpinEdits;
    TFont Font;
    int TextHeight = 0;
    HWND SavedFocus = nullptr;
    TFilePicker OpenDialog;
    TFilePicker SaveDialog;
};

}  // namespace tabulor

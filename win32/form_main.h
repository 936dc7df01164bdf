// The main window, TFormMain: the fields of one conversion request, the two pickers, and the
// buttons that run the conversion and close the tool. It keeps no settings between runs of the
// program and checks no field before the run: the conversion reports what it cannot do. What the
// source names and which of its sheets it lists are the shell's rules, not the window's.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/file_names.h"
#include "shell/layout.h"
#include "shell/placement.h"
#include "shell/request.h"
#include "shell/sheet_list.h"
#include "win32/file_picker.h"
#include "win32/handles.h"
#include "win32/spin_edit.h"

namespace tabulor {

namespace test {
class FormMainTest;
}

class TFormMain {
public:
    static void RegisterWindowClass(HINSTANCE instance);

    TFormMain(HINSTANCE instance, HICON bigIcon, HICON smallIcon);
    TFormMain(const TFormMain&) = delete;
    TFormMain& operator=(const TFormMain&) = delete;

    void Show(TStartShow show);

    // A source named on the command line fills both file fields, as a pick does.
    void ChooseSource(const std::optional<std::u16string>& name);

    // The window's own keys, taken before the focused control sees them: true when handled.
    bool KeyPreview(const MSG& message);

    void Attach(HWND window) { Window.Own(window); }
    void Detach() { Window.Forget(); }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class test::FormMainTest;

    // A frame with a title bar, the system menu and the minimise box, whose size the layout sets.
    static constexpr DWORD FormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    static constexpr DWORD FormExStyle = WS_EX_ACCEPTFILES;
    // Posted when the source field has lost the focus, to be handled once the focus has moved.
    static constexpr UINT SourceLeftMessage = WM_APP + 1;

    // Creation and layout (form_layout.cpp).
    void CreateControls(HINSTANCE instance);
    void LayOut(UINT dpi);
    void PlaceControls();
    void FitFrame(UINT dpi);
    void WidenOpenSheetList();
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

    // What the source names (form_source.cpp).
    void SourceFieldLeft();
    void SettleSource();
    void ShowSourceView(TSourceView view);
    void FillSheetList(const TSheetList& sheets);
    std::u16string SelectedSheetName() const;

    // Keyboard (form_keys.cpp).
    void SelectOutput(TControlId id);
    TControlId SelectedOutput() const;
    std::optional<TControlId> IdOf(HWND control) const;

    HWND ControlHandle(TControlId id) const;
    TControlReader Reader() const;
    void SetFileFields(const TFileFields& fields);

    // Entered before the window is made and left after it is gone.
    TComApartment Apartment;
    // One per control of the layout table, in its order; each goes with the window.
    std::vector<HWND> Controls;
    std::vector<std::unique_ptr<TSpinEdit>> SpinEdits;
    TFont Font;
    int TextHeight = 0;
    HWND SavedFocus = nullptr;
    // The controls shown for what the source field named when it was last settled.
    TSourceView View = TSourceView::Text;
    std::u16string SettledSource;
    // The sheets' own names, in the order of the sheet list's entries.
    std::vector<std::u16string> SheetNames;
    TFilePicker OpenDialog;
    TFilePicker SaveDialog;
    // Last, so that it goes first, while what its messages reach is still there.
    TWindow Window;
};

}  // namespace tabulor

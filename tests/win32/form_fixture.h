// The main window made in the tests' own process as the program makes it, with its handlers
// within reach and its messages run by the program's own loop. It starts no process and waits
// for nothing: every message is handled before a call returns.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "shell/layout.h"
#include "test_support.h"
#include "win32/control_ids.h"
#include "win32/form_main.h"

namespace tabulor::test {

// The common controls and the tool's window classes, registered once for the tests' process.
void RegisterWindowClassesOnce();

class FormMainTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Main() const { return Form->Window.Get(); }
    HWND ControlWindow(TControlId id) const { return FormControl(Main(), id); }

    void DropFiles(HDROP drop) { Form->FormDropFiles(drop); }
    void ChooseSource(const std::u16string& name) { Form->ChooseSource(name); }
    TFormFields Fields() const { return ReadFormFields(Form->Reader()); }
    void Activate(WPARAM wParam) { Form->FormActivate(wParam); }
    void DpiChanged(UINT dpi, const RECT& suggested) { Form->FormDpiChanged(MAKEWPARAM(dpi, dpi), suggested); }

    // Runs the messages that wait in the thread's queue through the program's loop until none is
    // left; the exit code when WM_QUIT ended it.
    std::optional<int> RunMessages();
    // Posts the key's press to the focused control, as the keyboard does, and runs the messages.
    std::optional<int> PressKey(WPARAM key);

private:
    std::optional<TFormMain> Form;
};

}  // namespace tabulor::test

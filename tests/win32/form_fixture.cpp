#include "form_fixture.h"

#include "win32/message_loop.h"
#include "win32/program.h"

namespace tabulor::test {

void RegisterWindowClassesOnce()
{
    static const bool registered = (RegisterWindowClasses(GetModuleHandleW(nullptr)), true);
    static_cast<void>(registered);
}

// The window is not shown: on a display without a window manager, Wine waits two seconds for one
// whenever a shown window goes. Its controls take the focus all the same.
void FormMainTest::SetUp()
{
    RegisterWindowClassesOnce();
    Form.emplace(GetModuleHandleW(nullptr), nullptr, nullptr);
    SetFocus(ControlWindow(TControlId::EditSrcFile));
    RunMessages();
}

// The window's end posts WM_QUIT, which must not end the next test's loop.
void FormMainTest::TearDown()
{
    Form.reset();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

std::optional<int> FormMainTest::RunMessages()
{
    return RunMessageLoop([this](const MSG& message) { return Form->KeyPreview(message); },
                          [] {
                              MSG message;
                              return !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
                          });
}

std::optional<int> FormMainTest::PressKey(WPARAM key)
{
    HWND target = GetFocus();
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    return RunMessages();
}

}  // namespace tabulor::test

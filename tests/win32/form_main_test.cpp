// The main window's keyboard and spin fields, driven in the tests' own process.
#include <string>

#include "form_fixture.h"
#include "shell/focus.h"
#include "shell/keys.h"
#include "shell/spin_field.h"
#include "win32/keys.h"
#include "win32/spin_edit.h"
#include "win32/wide.h"

namespace tabulor::test {
namespace {

using enum TControlId;

// A press of the button with the mouse.
void Click(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
}

bool Checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Tab and Shift+Tab visit the stops of the layout in tab order, the output kinds at the selected
// one, and select the whole text of an edit; the arrows move within the group; Escape presses
// nothing; Enter presses the focused button.
TEST_F(FormMainTest, KeyboardFollowsTheTabOrderAndEnterPressesTheFocusedButton)
{
    // A click selects the option and gives it the focus.
    Click(ControlWindow(RadioButtonOutputHTML));
    ASSERT_EQ(GetFocus(), ControlWindow(RadioButtonOutputHTML));
    for (const bool forward : {true, false}) {
        const THeldKeys shift = forward ? THeldKeys{} : THeldKeys{VK_SHIFT};
        TControlId expected = RadioButtonOutputHTML;
        int presses = 0;
        do {
            expected = NextTabStop(expected, forward, RadioButtonOutputHTML, TSourceView::Text);
            PressKey(VK_TAB);
            ++presses;
            ASSERT_EQ(GetFocus(), ControlWindow(expected))
                << (forward ? "Tab" : "Shift+Tab") << " pressed " << presses << " times, expected "
                << Control(expected).Name;
            if (expected == EditEmptyCells) {
                DWORD first = 1, last = 0;
                SendMessageW(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                             reinterpret_cast<LPARAM>(&last));
                EXPECT_EQ(first, 0u);
                EXPECT_EQ(last, Control(EditEmptyCells).Text.size());
            }
        } while (expected != RadioButtonOutputHTML);
    }

    const TFormKeyAnswer right =
        AnswerFormKey(KeyOf(VK_RIGHT), {}, RadioButtonOutputHTML, RadioButtonOutputHTML, TSourceView::Text);
    ASSERT_EQ(right.Action, TFormKeyAction::Select);
    ASSERT_NE(right.Target, RadioButtonOutputHTML);
    PressKey(VK_RIGHT);
    EXPECT_EQ(GetFocus(), ControlWindow(right.Target));
    EXPECT_TRUE(Checked(ControlWindow(right.Target)));
    EXPECT_FALSE(Checked(ControlWindow(RadioButtonOutputHTML)));

    ASSERT_EQ(AnswerFormKey(KeyOf(VK_ESCAPE), {}, right.Target, right.Target, TSourceView::Text).Action,
              TFormKeyAction::None);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(GetFocus(), ControlWindow(right.Target));
    for (TControlId stop = right.Target; stop != ButtonExit;) {
        stop = NextTabStop(stop, true, right.Target, TSourceView::Text);
        PressKey(VK_TAB);
        ASSERT_EQ(GetFocus(), ControlWindow(stop)) << Control(stop).Name;
    }
    EXPECT_EQ(PressKey(VK_RETURN), 0);
    EXPECT_FALSE(IsWindow(Main()));
}

TEST_F(FormMainTest, SpinFieldStepsWithItsKeyAndArrowAndRejectsALetter)
{
    const auto stepped = [](HWND field, int direction) {
        return ToWide(StepSpinField(FromWide(TextOf(field)), direction));
    };
    HWND rows = ControlWindow(EditTitleRows);
    const std::wstring up = stepped(rows, SpinKeyStep(KeyOf(VK_UP)));
    PostMessageW(rows, WM_KEYDOWN, VK_UP, 1);
    RunMessages();
    EXPECT_EQ(TextOf(rows), up);
    PostMessageW(rows, WM_CHAR, L'x', 1);
    PostMessageW(rows, WM_CHAR, L'7', 1);
    RunMessages();
    EXPECT_EQ(TextOf(rows), up + L"7");

    HWND cols = ControlWindow(EditTitleCols);
    HWND arrows = FindWindowExW(cols, nullptr, SpinArrowsClassName, nullptr);
    ASSERT_NE(arrows, nullptr);
    RECT area;
    GetClientRect(arrows, &area);
    const std::wstring down = stepped(cols, -1);
    const LPARAM lower = MAKELPARAM(area.right / 2, area.bottom * 3 / 4);
    PostMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, lower);
    PostMessageW(arrows, WM_LBUTTONUP, 0, lower);
    RunMessages();
    EXPECT_EQ(TextOf(cols), down);
    EXPECT_EQ(GetFocus(), cols);

    // Held down with the pointer over it, the arrow repeats on its own until it is let go.
    POINT pointer = {area.right / 2, area.bottom / 4};
    const LPARAM upper = MAKELPARAM(pointer.x, pointer.y);
    ClientToScreen(arrows, &pointer);
    SetCursorPos(pointer.x, pointer.y);
    PostMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, upper);
    const auto value = [&] { return std::stoi(TextOf(cols)); };
    const int pressed = value();
    ASSERT_TRUE(WaitUntil([&] {
        RunMessages();
        return value() >= pressed + 3;
    }));
    const int held = value();
    // Let go, it steps once more and then no longer, whatever its timer does.
    PostMessageW(arrows, WM_LBUTTONUP, 0, upper);
    RunMessages();
    EXPECT_EQ(value(), held + 1);
    SendMessageW(arrows, WM_TIMER, TSpinEdit::RepeatTimer, 0);
    EXPECT_EQ(value(), held + 1);
}

}  // namespace
}  // namespace tabulor::test

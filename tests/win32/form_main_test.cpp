#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "shell/focus.h"
#include "tabulor_process.h"
#include "win32/control_ids.h"

namespace tabulor::test {
namespace {

void SetText(HWND control, const std::wstring& text)
{
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// A press of the button with the mouse; posted, since the press may open a modal window.
void Click(HWND button)
{
    PostMessageW(button, BM_CLICK, 0, 0);
}

struct TWindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using TWindow = std::unique_ptr<std::remove_pointer_t<HWND>, TWindowDeleter>;

bool Checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TEST(FormMainTest, RunWritesTheOptionsIntoTheFileAndTheNoticeClosesWithEnter)
{
    TTempFolder folder;
    WriteFile(folder.Path() / "sheet.txt", "a\tb\r\nc\t\r\n");
    TTabulorProcess tabulor;
    SetText(tabulor.Control("EditSrcFile"), (folder.Path() / "sheet.txt").wstring());
    SetText(tabulor.Control("EditDestFile"), (folder.Path() / "sheet.html").wstring());
    SetText(tabulor.Control("EditTableClass"), L"t");
    SetText(tabulor.Control("EditBorderValue"), L"2");
    SendMessageW(tabulor.Control("ComboBoxBorderUnit"), CB_SETCURSEL, 1, 0);
    SendMessageW(tabulor.Control("RadioButtonOutputXHTML"), BM_CLICK, 0, 0);
    Click(tabulor.Control("ButtonExecute"));

    HWND notice = tabulor.WaitForWindow(MessageFormClassName);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(TextOf(notice), L"Tabulor");
    EXPECT_FALSE(IsWindowEnabled(tabulor.Main()));
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(notice, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        texts.push_back(TextOf(child));
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Le fichier a été correctement créé", L"OK"}));

    const std::string html = ReadFile(folder.Path() / "sheet.html");
    EXPECT_EQ(html.rfind("<?xml", 0), 0u) << html;
    EXPECT_NE(html.find("<table class=\"t\" border=\"2em\">"), std::string::npos) << html;
    EXPECT_NE(html.find("<th>a</th>"), std::string::npos) << html;
    EXPECT_NE(html.find("&nbsp;"), std::string::npos) << html;

    tabulor.PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(notice) || !IsWindowVisible(notice); }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(tabulor.Main()) != FALSE; }));
}

void Select(HWND list, const wchar_t* entry)
{
    const LRESULT index =
        SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry));
    ASSERT_NE(index, CB_ERR);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// The entries picked in the two lists reach the conversion: UTF-8 text, fields split at semicolons.
TEST(FormMainTest, SourceFormatPickedInTheListsReachesTheRun)
{
    TTempFolder folder;
    WriteFile(folder.Path() / "points.csv", "caf\xC3\xA9;b\r\n");
    TTabulorProcess tabulor;
    SetText(tabulor.Control("EditSrcFile"), (folder.Path() / "points.csv").wstring());
    SetText(tabulor.Control("EditDestFile"), (folder.Path() / "points.html").wstring());
    Select(tabulor.Control("ComboBoxSourceEncoding"), L"UTF-8");
    Select(tabulor.Control("ComboBoxFieldSeparator"), L"Point-virgule");
    Click(tabulor.Control("ButtonExecute"));

    ASSERT_NE(tabulor.WaitForWindow(MessageFormClassName), nullptr);
    const std::string html = ReadFile(folder.Path() / "points.html");
    EXPECT_NE(html.find("<th>caf&eacute;</th>"), std::string::npos) << html;
    EXPECT_NE(html.find("<th>b</th>"), std::string::npos) << html;
}

// The text of a message box is the static control that the system gives the identifier 0xFFFF.
TEST(FormMainTest, MissingSourceShowsOneFullStopInTheErrorBoxAndNoNotice)
{
    TTempFolder folder;
    TTabulorProcess tabulor;
    SetText(tabulor.Control("EditSrcFile"), (folder.Path() / L"absent été.txt").wstring());
    SetText(tabulor.Control("EditDestFile"), (folder.Path() / "out.html").wstring());
    Click(tabulor.Control("ButtonExecute"));

    HWND box = tabulor.WaitForWindow(L"#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"Tabulor");
    const std::wstring message = TextOf(GetDlgItem(box, 0xFFFF));
    EXPECT_EQ(message.rfind(L"Impossible d'ouvrir le fichier \"", 0), 0u) << message;
    EXPECT_NE(message.find(L"absent été.txt\""), std::wstring::npos) << message;
    ASSERT_GE(message.size(), 2u);
    EXPECT_EQ(message.back(), L'.');
    EXPECT_NE(message[message.size() - 2], L'.') << message;
    EXPECT_EQ(tabulor.FindWindowOfClass(MessageFormClassName), nullptr);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "out.html"));

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_EQ(tabulor.FindWindowOfClass(MessageFormClassName), nullptr);
}

// A run started while another program is in front: the box that ends it, the notice or the
// error box, still disables the main window, so that the run cannot be started again from it.
TEST(FormMainTest, BoxesOpenedBehindAnotherProgramDisableTheMainWindow)
{
    struct TCase {
        const char* Source;
        const wchar_t* BoxClass;
    };
    for (const TCase& test : {TCase{"sheet.txt", MessageFormClassName}, TCase{"absent.txt", L"#32770"}}) {
        SCOPED_TRACE(test.Source);
        TTempFolder folder;
        WriteFile(folder.Path() / "sheet.txt", "a\tb\r\n");
        TTabulorProcess tabulor;
        SetText(tabulor.Control("EditSrcFile"), (folder.Path() / test.Source).wstring());
        SetText(tabulor.Control("EditDestFile"), (folder.Path() / "sheet.html").wstring());
        const TWindow other(CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                            200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        SetForegroundWindow(other.get());
        ASSERT_TRUE(WaitUntil([&] { return tabulor.Active() == nullptr; }));

        // The button's command, as a press gives it, without the press's activation.
        HWND execute = tabulor.Control("ButtonExecute");
        PostMessageW(tabulor.Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(execute), BN_CLICKED),
                     reinterpret_cast<LPARAM>(execute));
        HWND box = tabulor.WaitForWindow(test.BoxClass);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), tabulor.Main());
        EXPECT_FALSE(IsWindowEnabled(tabulor.Main()));
    }
}

// Tab visits the stops of the layout in tab order, the output kinds at the selected one; the
// arrows move within the group; Enter presses the focused button.
TEST(FormMainTest, KeyboardFollowsTheTabOrderAndEnterPressesTheFocusedButton)
{
    TTabulorProcess tabulor;
    ASSERT_TRUE(WaitUntil([&] { return tabulor.Focused() == tabulor.Control("EditSrcFile"); }));
    // A click selects the option and gives it the focus.
    SendMessageW(tabulor.Control("RadioButtonOutputHTML"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return tabulor.Focused() == tabulor.Control("RadioButtonOutputHTML"); }));
    std::string_view expected = "RadioButtonOutputHTML";
    int presses = 0;
    do {
        expected = NextTabStop(expected, true, "RadioButtonOutputHTML");
        tabulor.PressKey(VK_TAB);
        ++presses;
        ASSERT_TRUE(WaitUntil([&] { return tabulor.Focused() == tabulor.Control(expected); }))
            << "after " << presses << " presses of Tab, expected " << expected;
        if (expected == "EditEmptyCells") {
            DWORD first = 1, last = 0;
            SendMessageW(tabulor.Focused(), EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
            EXPECT_EQ(first, 0u);
            EXPECT_EQ(last, 6u);
        }
    } while (expected != "RadioButtonOutputHTML");

    tabulor.PressKey(VK_RIGHT);
    ASSERT_TRUE(WaitUntil([&] { return tabulor.Focused() == tabulor.Control("RadioButtonOutputXHTML"); }));
    EXPECT_TRUE(Checked(tabulor.Control("RadioButtonOutputXHTML")));
    EXPECT_FALSE(Checked(tabulor.Control("RadioButtonOutputHTML")));

    tabulor.PressKey(VK_ESCAPE);
    for (std::string_view stop = "RadioButtonOutputXHTML"; stop != "ButtonExit";) {
        stop = NextTabStop(stop, true, "RadioButtonOutputXHTML");
        tabulor.PressKey(VK_TAB);
        ASSERT_TRUE(WaitUntil([&] { return tabulor.Focused() == tabulor.Control(stop); })) << stop;
    }
    ASSERT_TRUE(WaitUntil([&] { return tabulor.Focused() == tabulor.Control("ButtonExit"); }));
    tabulor.PressKey(VK_RETURN);
    EXPECT_EQ(tabulor.WaitForExit(), 0u);
}

TEST(FormMainTest, SpinFieldStepsWithItsKeyAndArrowAndRejectsALetter)
{
    TTabulorProcess tabulor;
    HWND rows = tabulor.Control("EditTitleRows");
    PostMessageW(rows, WM_KEYDOWN, VK_UP, 1);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(rows) == L"2"; })) << TextOf(rows).c_str();
    PostMessageW(rows, WM_CHAR, L'x', 1);
    PostMessageW(rows, WM_CHAR, L'7', 1);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(rows).size() == 2; }));
    EXPECT_EQ(TextOf(rows), L"27");

    HWND cols = tabulor.Control("EditTitleCols");
    HWND arrows = FindWindowExW(cols, nullptr, L"TSpinArrows", nullptr);
    ASSERT_NE(arrows, nullptr);
    RECT area;
    GetClientRect(arrows, &area);
    const LPARAM down = MAKELPARAM(area.right / 2, area.bottom * 3 / 4);
    PostMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, down);
    PostMessageW(arrows, WM_LBUTTONUP, 0, down);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(cols) == L"-1"; })) << TextOf(cols).c_str();
    EXPECT_EQ(tabulor.Focused(), cols);

    // Held down with the pointer over it, the arrow repeats on its own until it is let go.
    POINT pointer = {area.right / 2, area.bottom / 4};
    const LPARAM up = MAKELPARAM(pointer.x, pointer.y);
    ClientToScreen(arrows, &pointer);
    SetCursorPos(pointer.x, pointer.y);
    PostMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, up);
    const auto value = [&] { return std::stoi(TextOf(cols)); };
    ASSERT_TRUE(WaitUntil([&] { return value() >= 3; }));
    const int held = value();
    PostMessageW(arrows, WM_LBUTTONUP, 0, up);
    // Let go, it steps once more and then no longer.
    int settled = held;
    EXPECT_TRUE(WaitUntil([&] {
        const int before = value();
        Sleep(300);
        settled = value();
        return settled == before;
    }));
    EXPECT_GT(settled, held);
}

TEST(FormMainTest, StartsFromTheCommandLineAndTheShowCommandAndClosesWithCodeZero)
{
    TTempFolder folder;
    const std::wstring source = (folder.Path() / L"feuille.txt").wstring();
    {
        TTabulorProcess tabulor(source, SW_SHOWMAXIMIZED);
        EXPECT_EQ(TextOf(tabulor.Control("EditSrcFile")), source);
        EXPECT_EQ(TextOf(tabulor.Control("EditDestFile")), (folder.Path() / L"feuille.html").wstring());
        EXPECT_TRUE(WaitUntil([&] { return IsZoomed(tabulor.Main()) != FALSE; }));
        PostMessageW(tabulor.Main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(tabulor.WaitForExit(), 0u);
    }
    {
        TTabulorProcess tabulor(L"", SW_SHOWMINIMIZED);
        EXPECT_TRUE(TextOf(tabulor.Control("EditSrcFile")).empty());
        EXPECT_FALSE(IsIconic(tabulor.Main()));
        Click(tabulor.Control("ButtonExit"));
        EXPECT_EQ(tabulor.WaitForExit(), 0u);
    }
}

}  // namespace
}  // namespace tabulor::test

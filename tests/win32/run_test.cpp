// A run in tabulor.exe's own process: the file it writes and the modal box that ends it, the
// notice or the error box, each with its own message loop, over a main window that they disable
// even while another program is in front.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "resources/string_table.h"
#include "shell/list_entries.h"
#include "shell/request.h"
#include "shell/text.h"
#include "tabulor_process.h"
#include "win32/control_ids.h"
#include "win32/handles.h"
#include "win32/wide.h"

namespace tabulor::test {
namespace {

using enum TControlId;

void SetText(HWND control, const std::wstring& text)
{
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// A press of the button with the mouse; posted, since the press may open a modal window.
void Click(HWND button)
{
    PostMessageW(button, BM_CLICK, 0, 0);
}

void Select(HWND list, std::u16string_view entry)
{
    const std::wstring text = ToWide(entry);
    const LRESULT index =
        SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    ASSERT_NE(index, CB_ERR);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Narrow(std::u16string_view ascii)
{
    return std::string(ascii.begin(), ascii.end());
}

// Names the two files, lets set fill in the other controls, and presses "Exécuter".
void StartRun(TTabulorProcess& tabulor, const std::filesystem::path& source, const std::filesystem::path& dest,
              const std::function<void()>& set = [] {})
{
    SetText(tabulor.ControlWindow(EditSrcFile), source.wstring());
    SetText(tabulor.ControlWindow(EditDestFile), dest.wstring());
    set();
    Click(tabulor.ControlWindow(ButtonExecute));
}

// A UTF-8 sheet with semicolons, as the two lists pick it, and the options typed and selected.
TEST(RunTest, RunWritesTheOptionsIntoTheFileAndTheNoticeClosesWithEnter)
{
    TTempFolder folder;
    WriteFile(folder.Path() / "sheet.csv", "caf\xC3\xA9;b\r\nc;\r\n");
    TTabulorProcess tabulor;
    StartRun(tabulor, folder.Path() / "sheet.csv", folder.Path() / "sheet.html", [&] {
        SetText(tabulor.ControlWindow(EditTableClass), L"t");
        SetText(tabulor.ControlWindow(EditBorderValue), L"2");
        Select(tabulor.ControlWindow(ComboBoxBorderUnit), ListEntries(ComboBoxBorderUnit)[1]);
        Select(tabulor.ControlWindow(ComboBoxSourceEncoding), u"UTF-8");
        Select(tabulor.ControlWindow(ComboBoxFieldSeparator), u"Point-virgule");
        SendMessageW(tabulor.ControlWindow(RadioButtonOutputXHTML), BM_CLICK, 0, 0);
    });

    HWND notice = tabulor.WaitForWindow(MessageFormClassName);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(TextOf(notice), ToWide(FormTitle));
    EXPECT_FALSE(IsWindowEnabled(tabulor.Main()));
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(notice, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        texts.push_back(TextOf(child));
    EXPECT_EQ(texts, (std::vector{ToWide(FromUtf8(strings::SFileCreated)), ToWide(FromUtf8(strings::SOk))}));

    const std::string html = ReadFile(folder.Path() / "sheet.html");
    EXPECT_EQ(html.rfind("<?xml", 0), 0u) << html;
    const std::string unit = Narrow(ListEntries(ComboBoxBorderUnit)[1]);
    EXPECT_NE(html.find("<table class=\"t\" border=\"2" + unit + "\">"), std::string::npos) << html;
    EXPECT_NE(html.find("<th>caf&eacute;</th>"), std::string::npos) << html;
    EXPECT_NE(html.find("<th>b</th>"), std::string::npos) << html;
    EXPECT_NE(html.find(MakeConversionSettings(InitialFormFields()).EmptyCellText), std::string::npos) << html;

    tabulor.PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(notice) || !IsWindowVisible(notice); }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(tabulor.Main()) != FALSE; }));
}

// A caption typed, the headers linked and the HTML5 document selected: the caption goes on the
// line after the table's, and with two header rows each header cell gets an id made from the
// destination's name, which every cell below lists.
TEST(RunTest, RunWithACaptionAndLinkedHeaders)
{
    TTempFolder folder;
    WriteFile(folder.Path() / "ventes.txt", "A\tB\r\nC\tD\r\nE\tF\r\n");
    TTabulorProcess tabulor;
    StartRun(tabulor, folder.Path() / "ventes.txt", folder.Path() / "ventes.html", [&] {
        SetText(tabulor.ControlWindow(EditTitleRows), L"2");
        SetText(tabulor.ControlWindow(EditCaption), L"Ventes & prix été");
        SendMessageW(tabulor.ControlWindow(CheckBoxLinkHeaders), BM_CLICK, 0, 0);
        SendMessageW(tabulor.ControlWindow(RadioButtonOutputHTML5), BM_CLICK, 0, 0);
    });
    ASSERT_NE(tabulor.WaitForWindow(MessageFormClassName), nullptr);

    const std::string html = ReadFile(folder.Path() / "ventes.html");
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u) << html;
    const std::size_t table = html.find("\r\n<table");
    ASSERT_NE(table, std::string::npos) << html;
    const std::size_t next = html.find("\r\n", table + 2) + 2;
    EXPECT_EQ(html.substr(next, html.find("\r\n", next) - next),
              "  <caption>Ventes &amp; prix &eacute;t&eacute;</caption>")
        << html;
    for (const char* cell : {"<th id=\"ventes-1-1\" scope=\"col\">A</th>",
                             "<th id=\"ventes-2-2\" scope=\"col\" headers=\"ventes-1-2\">D</th>",
                             "<td headers=\"ventes-1-1 ventes-2-1\">E</td>"})
        EXPECT_NE(html.find(cell), std::string::npos) << cell << "\n" << html;
}

TEST(RunTest, MissingSourceShowsOneFullStopInTheErrorBoxAndNoNotice)
{
    TTempFolder folder;
    TTabulorProcess tabulor;
    StartRun(tabulor, folder.Path() / L"absent été.txt", folder.Path() / "out.html");

    HWND box = tabulor.WaitForWindow(L"#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), ToWide(FormTitle));
    const std::wstring message = TextOf(GetDlgItem(box, MessageBoxTextId));
    const std::u16string format = FromUtf8(strings::SFOpenError);
    EXPECT_EQ(message.rfind(ToWide(format.substr(0, format.find(u"%s"))), 0), 0u) << message;
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
TEST(RunTest, BoxesOpenedBehindAnotherProgramDisableTheMainWindow)
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
        SetText(tabulor.ControlWindow(EditSrcFile), (folder.Path() / test.Source).wstring());
        SetText(tabulor.ControlWindow(EditDestFile), (folder.Path() / "sheet.html").wstring());
        // The other program's window, which this process shows in front of tabulor.exe.
        TWindow other;
        other.Own(CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        SetForegroundWindow(other.Get());
        ASSERT_TRUE(WaitUntil([&] { return tabulor.Active() == nullptr; }));

        // The button's command, as a press gives it, without the press's activation.
        HWND execute = tabulor.ControlWindow(ButtonExecute);
        PostMessageW(tabulor.Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(execute), BN_CLICKED),
                     reinterpret_cast<LPARAM>(execute));
        HWND box = tabulor.WaitForWindow(test.BoxClass);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), tabulor.Main());
        EXPECT_FALSE(IsWindowEnabled(tabulor.Main()));
    }
}

}  // namespace
}  // namespace tabulor::test

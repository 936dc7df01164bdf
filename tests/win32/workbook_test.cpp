// A workbook as the source: the sheet list in place of the encoding and separator lists, in the
// tests' own process, and one whole run of a chosen sheet in tabulor.exe's.
#include <filesystem>
#include <string>
#include <vector>

#include "form_fixture.h"
#include "shell/sheet_list.h"
#include "tabulor_process.h"
#include "tests/testkit/xlsx_file.h"
#include "win32/wide.h"

namespace tabulor::test {
namespace {

using enum TControlId;
using testkit::MakeXlsx;

// The second sheet is hidden, so that its entry differs from its name.
std::string ThreeSheets()
{
    return MakeXlsx({{"Un", false, {{"premier"}}, {}},
                     {"Deux", true, {{"deuxi\xC3\xA8me", "b"}, {"c", "d"}}, {}},
                     {"Trois", false, {{"troisi\xC3\xA8me"}}, {}}});
}

bool Shown(HWND control)
{
    return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::vector<std::wstring> Entries(HWND list)
{
    std::vector<std::wstring> entries;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        entry.resize(static_cast<std::size_t>(
            SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        entries.push_back(entry);
    }
    return entries;
}

LRESULT Selected(HWND list)
{
    return SendMessageW(list, CB_GETCURSEL, 0, 0);
}

class WorkbookFormTest : public FormMainTest {
protected:
    void ExpectView(TSourceView view)
    {
        for (const TControlLayout& entry : FormControls())
            EXPECT_EQ(Shown(ControlWindow(entry.Id)), IsShown(entry.Id, view)) << entry.Name;
    }
    // The sheet list holds the entries that the shell lists for the workbook, with the choice it
    // selects after previous; a workbook the shell cannot list would prove nothing.
    void ExpectTheShellsList(const std::filesystem::path& workbook, std::u16string_view previous)
    {
        const TSheetList expected = SourceStateOf(FromWide(workbook.wstring()), previous).Sheets;
        ASSERT_FALSE(expected.Choices.empty());
        std::vector<std::wstring> entries;
        for (const TSheetChoice& choice : expected.Choices)
            entries.push_back(ToWide(choice.Entry));
        EXPECT_EQ(Entries(ControlWindow(ComboBoxSheet)), entries);
        EXPECT_EQ(Selected(ControlWindow(ComboBoxSheet)), static_cast<LRESULT>(expected.Selected));
    }
    TTempFolder Folder;
};

// A chosen workbook shows the sheet list, filled as the shell lists the file, and the box that
// keeps hidden rows, unticked; the focus on the encoding list moves to the list; the request takes
// the sheet's own name and the box; a name typed in the field is settled when the field loses the
// focus; the sheet chosen before is passed on by its own name.
TEST_F(WorkbookFormTest, WorkbookShowsItsSheetsInPlaceOfTheTextLists)
{
    const std::filesystem::path workbook = Folder.Path() / "classeur.xlsx";
    WriteFile(workbook, ThreeSheets());
    HWND sheets = ControlWindow(ComboBoxSheet);
    HWND keepHidden = ControlWindow(CheckBoxKeepHidden);
    ExpectView(TSourceView::Text);
    EXPECT_FALSE(Shown(keepHidden));
    SetFocus(ControlWindow(ComboBoxSourceEncoding));

    ChooseSource(FromWide(workbook.wstring()));
    ExpectView(TSourceView::Workbook);
    EXPECT_TRUE(Shown(keepHidden));
    EXPECT_EQ(GetFocus(), sheets);
    ExpectTheShellsList(workbook, u"");
    SendMessageW(sheets, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(Fields().SheetName, u"Deux");
    EXPECT_FALSE(Fields().KeepHidden);
    SendMessageW(keepHidden, BM_CLICK, 0, 0);
    EXPECT_TRUE(Fields().KeepHidden);

    // Tab goes round the shown controls alone, back to the sheet list.
    int presses = 0;
    do {
        PressKey(VK_TAB);
        ASSERT_TRUE(Shown(GetFocus())) << presses;
    } while (GetFocus() != sheets && ++presses < 30);
    EXPECT_EQ(GetFocus(), sheets);

    HWND source = ControlWindow(EditSrcFile);
    SetFocus(source);
    SetControlText(source, FromWide((Folder.Path() / "feuille.txt").wstring()));
    SetFocus(ControlWindow(EditDestFile));
    RunMessages();
    ExpectView(TSourceView::Text);
    EXPECT_FALSE(Shown(keepHidden));

    SendMessageW(sheets, CB_SETCURSEL, 2, 0);
    ChooseSource(FromWide(workbook.wstring()));
    ExpectTheShellsList(workbook, u"Trois");
    EXPECT_EQ(GetFocus(), ControlWindow(EditDestFile));
}

// A sheet's name longer than the narrow list shows is whole in the open list, at the design
// resolution and at one and a half times it, with room left for the scroll bar.
TEST_F(WorkbookFormTest, OpenSheetListHoldsTheLongestName)
{
    const std::filesystem::path workbook = Folder.Path() / "long.xlsx";
    WriteFile(workbook, MakeXlsx({{"Un", false, {{"a"}}, {}}, {"Ventes du premier trimestre 2024", true, {{"b"}}, {}}}));
    ChooseSource(FromWide(workbook.wstring()));
    HWND sheets = ControlWindow(ComboBoxSheet);
    const std::wstring longest = Entries(sheets).at(1);
    for (const UINT dpi : {DesignDpi * 1u, DesignDpi * 3u / 2}) {
        SCOPED_TRACE(dpi);
        RECT suggested;
        GetWindowRect(Main(), &suggested);
        DpiChanged(dpi, suggested);
        const TMeasuringDC dc(Main(), reinterpret_cast<HFONT>(SendMessageW(sheets, WM_GETFONT, 0, 0)));
        SIZE extent;
        GetTextExtentPoint32W(dc.Handle(), longest.c_str(), static_cast<int>(longest.size()), &extent);
        RECT shown;
        GetWindowRect(sheets, &shown);
        EXPECT_GT(extent.cx, shown.right - shown.left);
        EXPECT_GE(SendMessageW(sheets, CB_GETDROPPEDWIDTH, 0, 0),
                  extent.cx + GetSystemMetricsForDpi(SM_CXVSCROLL, dpi));
    }
}

// The workbook named on the command line, its hidden second sheet chosen in the list.
TEST(WorkbookRunTest, SecondSheetChosenInTheListIsTheOneWritten)
{
    TTempFolder folder;
    const std::filesystem::path workbook = folder.Path() / L"classeur été.xlsx";
    WriteFile(workbook, ThreeSheets());
    TTabulorProcess tabulor(workbook.wstring());
    HWND sheets = tabulor.ControlWindow(ComboBoxSheet);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(sheets, CB_GETCOUNT, 0, 0) == 3; }));
    SendMessageW(sheets, CB_SETCURSEL, 1, 0);
    const std::filesystem::path dest = folder.Path() / "deux.html";
    SendMessageW(tabulor.ControlWindow(EditDestFile), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(dest.c_str()));
    PostMessageW(tabulor.ControlWindow(ButtonExecute), BM_CLICK, 0, 0);

    ASSERT_NE(tabulor.WaitForWindow(MessageFormClassName), nullptr);
    const std::string html = ReadFile(dest);
    EXPECT_NE(html.find("deuxi&egrave;me</th>"), std::string::npos) << html;
    EXPECT_NE(html.find("<td>d</td>"), std::string::npos) << html;
    EXPECT_EQ(html.find("premier"), std::string::npos) << html;
    EXPECT_EQ(html.find("troisi"), std::string::npos) << html;
}

}  // namespace
}  // namespace tabulor::test

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/pickers.h"
#include "tabulor_process.h"
#include "win32/file_picker.h"
#include "win32/wide.h"

namespace tabulor::test {
namespace {

using enum TControlId;

// The file-name box of the system's open and save dialogs: a combo box (cmb13) in newer
// versions, an edit (edt1) in older ones.
constexpr int FileNameCombo = 0x47C;
constexpr int FileNameEdit = 0x480;
// The file-type list of the system's open and save dialogs (cmb1).
constexpr int FileTypeList = 0x470;

HWND FileNameBox(HWND picker)
{
    HWND box = GetDlgItem(picker, FileNameCombo);
    return box != nullptr ? box : GetDlgItem(picker, FileNameEdit);
}

std::vector<std::wstring> FileTypes(HWND picker)
{
    HWND list = GetDlgItem(picker, FileTypeList);
    std::vector<std::wstring> types;
    for (LRESULT i = 0; i < SendMessageW(list, CB_GETCOUNT, 0, 0); ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        const LRESULT length = SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        types.push_back(text);
    }
    return types;
}

std::vector<std::wstring> FilterDescriptions(const TPickerSetup& setup)
{
    std::vector<std::wstring> descriptions;
    for (const TPickerFilter& filter : setup.Filters)
        descriptions.push_back(ToWide(filter.Description));
    return descriptions;
}

HWND OpenPicker(const TTabulorProcess& tabulor, TControlId button, std::u16string_view title)
{
    PostMessageW(tabulor.ControlWindow(button), BM_CLICK, 0, 0);
    HWND picker = nullptr;
    WaitUntil([&] {
        picker = tabulor.FindWindowOfClass(L"#32770");
        return picker != nullptr && FileNameBox(picker) != nullptr
               && TextOf(picker) == ToWide(title);
    });
    return picker;
}

void Choose(HWND picker, const std::wstring& name)
{
    SendMessageW(FileNameBox(picker), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageW(picker, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(picker); }));
}

TEST(PickersTest, SourcePickFillsBothFieldsAndEachPickerOffersItsLastName)
{
    TTempFolder folder;
    const std::wstring source = (folder.Path() / L"relevé.txt").wstring();
    WriteFile(source, "a\r\n");
    TTabulorProcess tabulor;

    HWND picker = OpenPicker(tabulor, ButtonBrowseSrcFile, OpenPickerSetup(FileSystem).Title);
    ASSERT_NE(picker, nullptr);
    RECT frame;
    GetWindowRect(picker, &frame);
    const int centredLeft = (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
    EXPECT_NEAR(frame.left, centredLeft, 1);
    EXPECT_EQ(FileTypes(picker), FilterDescriptions(OpenPickerSetup(FileSystem)));
    EXPECT_EQ(SendMessageW(GetDlgItem(picker, FileTypeList), CB_GETCURSEL, 0, 0), 0);
    Choose(picker, source);
    EXPECT_EQ(TextOf(tabulor.ControlWindow(EditSrcFile)), source);
    EXPECT_EQ(TextOf(tabulor.ControlWindow(EditDestFile)), (folder.Path() / L"relevé.html").wstring());

    const std::wstring destination = (folder.Path() / L"page.htm").wstring();
    picker = OpenPicker(tabulor, ButtonBrowseDestFile, SavePickerSetup.Title);
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(TextOf(FileNameBox(picker)).empty());
    Choose(picker, destination);
    EXPECT_EQ(TextOf(tabulor.ControlWindow(EditSrcFile)), source);
    EXPECT_EQ(TextOf(tabulor.ControlWindow(EditDestFile)), destination);

    SendMessageW(tabulor.ControlWindow(EditSrcFile), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    picker = OpenPicker(tabulor, ButtonBrowseSrcFile, OpenPickerSetup(FileSystem).Title);
    ASSERT_NE(picker, nullptr);
    // The picker opens in the folder of the name it returned, showing the name's last part.
    EXPECT_EQ(TextOf(FileNameBox(picker)), L"relevé.txt");
    PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(picker); }));
    EXPECT_TRUE(TextOf(tabulor.ControlWindow(EditSrcFile)).empty());
}

}  // namespace
}  // namespace tabulor::test

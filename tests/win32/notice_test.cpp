// The notice's keys, handed to it in the tests' own process as its loop hands them over.
#include <optional>
#include <string>

#include "form_fixture.h"
#include "resources/string_table.h"
#include "shell/messages.h"
#include "shell/text.h"
#include "win32/notice.h"
#include "win32/wide.h"

namespace tabulor::test {

// The notice made in the tests' own process, its keys handed to it one by one. It is not shown,
// and no loop runs: what a key does is seen at once.
class NoticeTest : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterWindowClassesOnce(); }

    // A key pressed on the notice's button: true when the notice took it.
    static bool PressKey(TMessageForm& notice, WPARAM key)
    {
        MSG message = {};
        message.hwnd = notice.OK;
        message.message = WM_KEYDOWN;
        message.wParam = key;
        return notice.KeyPreview(message);
    }
    static bool Closed(const TMessageForm& notice) { return notice.Closed; }
    static HWND MessageOf(const TMessageForm& notice) { return notice.Message; }
};

namespace {

void EmptyClipboard()
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    ::EmptyClipboard();
    CloseClipboard();
}

std::optional<std::wstring> ClipboardText()
{
    if (!OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Enter and Escape close the notice; Ctrl+C copies it, with the line ends of the Windows
// clipboard, and leaves it open; C alone does neither.
TEST_F(NoticeTest, EnterAndEscapeCloseItAndCtrlCCopiesIt)
{
    const std::u16string text = FromUtf8(strings::SFileCreated);
    const std::wstring copied = ToWide(NoticeClipboardText(text, u"\r\n"));
    const struct {
        const char* Name;
        WPARAM Key;
        bool Ctrl;
        bool Closes;
        bool Copies;
    } cases[] = {
        {"Escape", VK_ESCAPE, false, true, false},
        {"Enter", VK_RETURN, false, true, false},
        {"Ctrl+C", 'C', true, false, true},
        {"C", 'C', false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TMessageForm notice(nullptr, text);
        EmptyClipboard();
        const THeldKeys ctrl = c.Ctrl ? THeldKeys{VK_CONTROL} : THeldKeys{};
        EXPECT_EQ(PressKey(notice, c.Key), c.Closes || c.Copies);
        EXPECT_EQ(Closed(notice), c.Closes);
        EXPECT_EQ(ClipboardText(), c.Copies ? std::optional(copied) : std::nullopt);
    }
}

// The notice of formulas left empty has two lines: both show, one under the other, and both are
// copied, each with the Windows clipboard's line end.
TEST_F(NoticeTest, SecondLineShowsUnderTheFirstAndIsCopied)
{
    const std::u16string text = NoticeText({2});
    const std::size_t lineBreak = text.find(u'\n');
    ASSERT_NE(lineBreak, std::u16string::npos);
    const std::u16string first = text.substr(0, lineBreak);
    const std::u16string second = text.substr(lineBreak + 1);
    const auto height = [](const TMessageForm& notice) {
        RECT area;
        GetClientRect(MessageOf(notice), &area);
        return area.bottom;
    };
    TMessageForm oneLine(nullptr, first);
    TMessageForm twoLines(nullptr, text);
    EXPECT_GE(height(twoLines), 2 * height(oneLine));

    EmptyClipboard();
    const THeldKeys ctrl{VK_CONTROL};
    EXPECT_TRUE(PressKey(twoLines, 'C'));
    const std::optional<std::wstring> copied = ClipboardText();
    ASSERT_TRUE(copied);
    EXPECT_NE(copied->find(ToWide(first + u"\r\n" + second + u"\r\n")), std::wstring::npos) << *copied;
}

}  // namespace
}  // namespace tabulor::test

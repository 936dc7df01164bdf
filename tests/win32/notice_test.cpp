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

}  // namespace
}  // namespace tabulor::test

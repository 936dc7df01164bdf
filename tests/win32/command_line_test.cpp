#include <gtest/gtest.h>

#include <span>
#include <string>

#include "shell/command_line.h"
#include "tabulor_process.h"
#include "win32/control_ids.h"

namespace tabulor::test {
namespace {

// The message box's text control has this identifier in every version of the system.
constexpr int MessageBoxTextId = 0xFFFF;

TEST(CommandLineTest, UsageVersionAndErrorShowABoxThatEndsTheProgram)
{
    const struct {
        std::u16string Argument;
        DWORD ExitCode;
    } cases[] = {{u"/?", 0}, {u"--version", 0}, {u"/x", 2}};
    for (const auto& c : cases) {
        const std::wstring argument(c.Argument.begin(), c.Argument.end());
        SCOPED_TRACE(testing::PrintToString(argument));
        TTabulorProcess tabulor(argument, TTabulorProcess::TNoMainWindow{});
        const HWND box = tabulor.WaitForWindow(L"#32770", 20s);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(TextOf(box), L"Tabulor");
        const std::u16string message = ParseCommandLine(std::span(&c.Argument, 1), TOptionStyle::Windows).Message;
        EXPECT_EQ(TextOf(GetDlgItem(box, MessageBoxTextId)), std::wstring(message.begin(), message.end()));
        EXPECT_EQ(tabulor.FindWindowOfClass(FormMainClassName), nullptr);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(tabulor.WaitForExit(), c.ExitCode);
    }
}

}  // namespace
}  // namespace tabulor::test

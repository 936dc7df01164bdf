// What the command line and the start-up information ask of tabulor.exe, where the focus starts
// and how the program ends: only a process of its own shows them.
#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "shell/command_line.h"
#include "tabulor_process.h"
#include "win32/control_ids.h"
#include "win32/wide.h"

namespace tabulor::test {
namespace {

using enum TControlId;

TEST(CommandLineTest, UsageVersionAndErrorShowABoxThatEndsTheProgram)
{
    const struct {
        std::u16string Argument;
        DWORD ExitCode;
    } cases[] = {{u"/?", 0}, {u"--version", 0}, {u"/x", 2}};
    for (const auto& c : cases) {
        const std::wstring argument = ToWide(c.Argument);
        SCOPED_TRACE(testing::PrintToString(argument));
        TTabulorProcess tabulor(argument, TTabulorProcess::TNoMainWindow{});
        const HWND box = tabulor.WaitForWindow(L"#32770", 20s);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(TextOf(box), ToWide(FormTitle));
        const std::u16string message = ParseCommandLine(std::span(&c.Argument, 1), TOptionStyle::Windows).Message;
        EXPECT_EQ(TextOf(GetDlgItem(box, MessageBoxTextId)), ToWide(message));
        EXPECT_EQ(tabulor.FindWindowOfClass(FormMainClassName), nullptr);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(tabulor.WaitForExit(), c.ExitCode);
    }
}

// tabulor.exe converts as tabulor.com does. Having no console, it shows what the console would
// have been told in one box at the end, a line for each source that failed; a run with nothing to
// say shows none and ends, as a script that starts it expects.
TEST(CommandLineTest, ConversionShowsWhatItWouldPrintInOneBoxAtTheEnd)
{
    TTempFolder folder;
    const std::wstring source = (folder.Path() / L"feuille.txt").wstring();
    WriteFile(source, "R\xE9gion\tVentes\r\n");
    const std::wstring missing = (folder.Path() / L"manquée.txt").wstring();
    const std::wstring other = (folder.Path() / L"autre.txt").wstring();
    const struct {
        std::wstring Arguments;
        DWORD ExitCode;
        std::vector<std::wstring> InBox;
    } cases[] = {
        {L"-c \"" + source + L"\"", 0, {}},
        {L"-c \"" + missing + L"\" \"" + source + L"\" \"" + other + L"\"", 1, {missing, L"\n", other}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Arguments));
        std::filesystem::remove(folder.Path() / L"feuille.html");
        TTabulorProcess tabulor(TTabulorProcess::TTypedArguments{c.Arguments});
        if (!c.InBox.empty()) {
            const HWND box = tabulor.WaitForWindow(L"#32770", 20s);
            ASSERT_NE(box, nullptr);
            for (const std::wstring& text : c.InBox)
                EXPECT_NE(TextOf(GetDlgItem(box, MessageBoxTextId)).find(text), std::wstring::npos);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        EXPECT_EQ(tabulor.WaitForExit(20s), c.ExitCode);
        EXPECT_TRUE(std::filesystem::is_regular_file(folder.Path() / L"feuille.html"));
    }
}

TEST(CommandLineTest, StartsFromTheCommandLineAndTheShowCommandAndClosesWithCodeZero)
{
    TTempFolder folder;
    const std::wstring source = (folder.Path() / L"feuille.txt").wstring();
    {
        TTabulorProcess tabulor(source, SW_SHOWMAXIMIZED);
        // Where no window manager activates the new window, the focus still starts in the first field.
        EXPECT_TRUE(WaitUntil([&] { return tabulor.Focused() == tabulor.ControlWindow(EditSrcFile); }));
        EXPECT_EQ(TextOf(tabulor.ControlWindow(EditSrcFile)), source);
        EXPECT_EQ(TextOf(tabulor.ControlWindow(EditDestFile)), (folder.Path() / L"feuille.html").wstring());
        EXPECT_TRUE(WaitUntil([&] { return IsZoomed(tabulor.Main()) != FALSE; }));
        PostMessageW(tabulor.Main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(tabulor.WaitForExit(), 0u);
    }
    {
        TTabulorProcess tabulor(L"", SW_SHOWMINIMIZED);
        EXPECT_TRUE(TextOf(tabulor.ControlWindow(EditSrcFile)).empty());
        EXPECT_FALSE(IsIconic(tabulor.Main()));
        PostMessageW(tabulor.ControlWindow(ButtonExit), BM_CLICK, 0, 0);
        EXPECT_EQ(tabulor.WaitForExit(), 0u);
    }
}

}  // namespace
}  // namespace tabulor::test

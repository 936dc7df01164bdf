// tabulor.com's sheet list: each sheet of each workbook on a line of standard output, as the
// window's list names it, a hidden one marked; nothing is converted.
#include <gtest/gtest.h>

#include <string>

#include "console_process.h"
#include "shell/sheet_list.h"
#include "shell/text.h"
#include "test_support.h"
#include "tests/testkit/xlsx_file.h"
#include "win32/wide.h"

namespace tabulor::test {
namespace {

using testkit::MakeXlsx;

// The workbook named by a wildcard, as a script names this month's file.
TEST(ConsoleWorkbookTest, SheetListNamesEverySheetAsTheWindowsListDoes)
{
    TTempFolder folder;
    const std::filesystem::path workbook = folder.Path() / L"année 1.xlsx";
    WriteFile(workbook,
              MakeXlsx({{"Un", false, {{"a"}}, {}}, {"Deux cach\xC3\xA9" "e", true, {{"b"}}, {}}, {"Trois", false, {{"c"}}, {}}}));

    const TConsoleRun run = RunConsoleProgram(L"-l \"année ?.xlsx\"", folder.Path());
    EXPECT_EQ(run.ExitCode, 0u) << run.Error;
    std::string expected;
    for (const TSheetChoice& choice : SourceStateOf(FromWide(workbook.wstring()), u"").Sheets.Choices)
        expected += ToUtf8(choice.Entry) + "\r\n";
    EXPECT_EQ(expected, "Un\r\nDeux cach\xC3\xA9" "e (masqu\xC3\xA9" "e)\r\nTrois\r\n");
    EXPECT_EQ(run.Output, expected);
    EXPECT_EQ(run.Error, "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

}  // namespace
}  // namespace tabulor::test

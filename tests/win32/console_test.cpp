// tabulor.com as a script meets it: the exit codes, the sources' wildcards, the table on standard
// output, the messages on standard error in UTF-8 with Windows line ends, and the window started
// without waiting for it. What each option means is tested with the shell.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "console_process.h"
#include "shell/command_line.h"
#include "shell/text.h"
#include "tabulor_process.h"
#include "win32/console.h"
#include "win32/control_ids.h"
#include "win32/wide.h"

namespace tabulor::test {
namespace {

using enum TControlId;

// Every line ends with CR LF, the last one too.
bool HasWindowsLineEnds(std::string_view text)
{
    for (std::size_t at = text.find('\n'); at != text.npos; at = text.find('\n', at + 1))
        if (at == 0 || text[at - 1] != '\r')
            return false;
    return text.empty() || text.ends_with("\r\n");
}

std::wstring Quoted(const std::filesystem::path& path)
{
    return L"\"" + path.wstring() + L"\"";
}

// Four text sources, one of them named as an option would be, a CSV one, and a folder whose name
// a wildcard for the sources also matches.
class ConsoleTest : public testing::Test {
protected:
    ConsoleTest()
    {
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"été 1.txt", L"-tiret.txt", L"c.csv"})
            WriteFile(Folder.Path() / name, "R\xE9gion\tVentes\r\nNord\t1250\r\n");
        std::filesystem::create_directory(Folder.Path() / L"dossier.txt");
    }
    bool Written(const wchar_t* name) const { return std::filesystem::is_regular_file(Folder.Path() / name); }
    TConsoleRun Run(std::wstring_view arguments) const { return RunConsoleProgram(arguments, Folder.Path()); }

    TTempFolder Folder;
};

TEST_F(ConsoleTest, ExitCodeSaysWhetherEverySourceWasConvertedAndTheOthersAreStillWritten)
{
    const struct {
        std::wstring Arguments;
        DWORD ExitCode;
        std::vector<const wchar_t*> Written;
        std::vector<const wchar_t*> NotWritten;
        std::u16string InError;
    } cases[] = {
        {L"-c a.txt b.txt", 0, {L"a.html", L"b.html"}, {L"c.html"}, u""},
        {L"-c a.txt manqué.txt b.txt", 1, {L"a.html", L"b.html"}, {L"manqué.html"}, u"manqué.txt"},
        {L"-c *.txt", 0, {L"a.html", L"b.html", L"été 1.html", L"-tiret.html"}, {L"c.html", L"dossier.html"}, u""},
        {L"-c ?.csv", 0, {L"c.html"}, {L"a.html"}, u""},
        // Two patterns whose files clash with none, and an option's value that reads as one.
        {L"-c *.txt *.csv", 0, {L"a.html", L"b.html", L"c.html"}, {L"dossier.html"}, u""},
        {L"-c --titre *.csv *.csv", 0, {L"c.html"}, {L"a.html"}, u""},
        {L"-c *.xyz a.txt", 1, {L"a.html"}, {}, u"*.xyz"},
        // The usage error that -o with several sources is, found once the pattern is expanded.
        {L"-c -o x.html ?.txt", 2, {}, {L"x.html", L"a.html"}, u"«\u00a0-o\u00a0»"},
        {L"-c \"" + Folder.Path().wstring() + L"\\?.txt\"", 0, {L"a.html", L"b.html"}, {L"été 1.html"}, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Arguments));
        const TConsoleRun run = Run(c.Arguments);
        EXPECT_EQ(run.ExitCode, c.ExitCode);
        for (const wchar_t* name : c.Written)
            EXPECT_TRUE(Written(name)) << testing::PrintToString(std::wstring(name));
        for (const wchar_t* name : c.NotWritten)
            EXPECT_FALSE(Written(name)) << testing::PrintToString(std::wstring(name));
        EXPECT_EQ(run.Output, "");
        EXPECT_EQ(run.Error.empty(), c.InError.empty()) << run.Error;
        EXPECT_NE(run.Error.find(ToUtf8(c.InError)), std::string::npos) << run.Error;
        EXPECT_TRUE(HasWindowsLineEnds(run.Error)) << run.Error;
        for (const auto& entry : std::filesystem::directory_iterator(Folder.Path()))
            if (entry.path().extension() == L".html")
                std::filesystem::remove(entry.path());
    }
}

// The usage, the version and the usage errors print what the shell answers, on standard output
// for an answer, on standard error for an error; nothing is written.
TEST_F(ConsoleTest, AnswersAndUsageErrorsPrintTheShellsMessage)
{
    const struct {
        std::vector<std::u16string> Arguments;
        DWORD ExitCode;
    } cases[] = {
        {{u"/?"}, 0},
        {{u"--inconnue", u"a.txt"}, 2},
        {{u"-c", u"-o", u"x.html", u"a.txt", u"b.txt"}, 2},
    };
    for (const auto& c : cases) {
        std::wstring arguments;
        for (const std::u16string& argument : c.Arguments)
            arguments.append(ToWide(argument)).append(L" ");
        SCOPED_TRACE(testing::PrintToString(arguments));
        const TConsoleRun run = Run(arguments);
        const std::string expected = ToUtf8(ParseCommandLine(c.Arguments, TOptionStyle::Windows).Message);
        const std::string& printed = c.ExitCode == 0 ? run.Output : run.Error;
        EXPECT_EQ(run.ExitCode, c.ExitCode);
        EXPECT_FALSE(expected.empty());
        EXPECT_TRUE(HasWindowsLineEnds(printed)) << printed;
        std::string lines = printed;
        std::erase(lines, '\r');
        EXPECT_EQ(lines, expected + "\n");
        EXPECT_EQ((c.ExitCode == 0 ? run.Error : run.Output), "");
        EXPECT_FALSE(Written(L"a.html"));
        EXPECT_FALSE(Written(L"x.html"));
    }
}

TEST_F(ConsoleTest, TableOnStandardOutputIsTheBytesOfTheFile)
{
    const TConsoleRun toFile = Run(L"-c -o fichier.html --document html a.txt");
    const TConsoleRun redirected = Run(L"-c --document html --sortie - a.txt");
    EXPECT_EQ(toFile.ExitCode, 0u);
    EXPECT_EQ(redirected.ExitCode, 0u);
    EXPECT_EQ(toFile.Output, "");
    EXPECT_NE(redirected.Output.find("<td>1250</td>"), std::string::npos) << redirected.Output;
    EXPECT_EQ(redirected.Output, ReadFile(Folder.Path() / L"fichier.html"));
    EXPECT_EQ(redirected.Error, "");
    EXPECT_FALSE(Written(L"a.html"));
}

// The console program hands the window over to tabulor.exe with the arguments as they were typed,
// a name with a blank among them, and ends without waiting for the window to close.
TEST_F(ConsoleTest, WithoutAConversionItStartsTheWindowAndReturnsAtOnce)
{
    const std::filesystem::path source = Folder.Path() / L"été 1.txt";
    const TConsoleRun run = Run(Quoted(source));
    EXPECT_EQ(run.ExitCode, 0u);
    EXPECT_EQ(run.Output + run.Error, "");
    const TOtherWindow window(FormMainClassName);
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_EQ(TextOf(FormControl(window.Handle(), EditSrcFile)), source.wstring());
}

// A screen buffer of a console made for the test. The process's own console, if any, is given up
// for it: under Wine a program whose output goes to a pipe has one with no screen buffer. The
// standard handles are left as they were, the test's output with them.
class TConsoleBuffer {
public:
    TConsoleBuffer()
    {
        for (const DWORD id : StandardIds)
            Standard.push_back(GetStdHandle(id));
        FreeConsole();
        AllocConsole();
        Buffer = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           CONSOLE_TEXTMODE_BUFFER, nullptr);
    }
    ~TConsoleBuffer()
    {
        CloseHandle(Buffer);
        FreeConsole();
        for (std::size_t i = 0; i < Standard.size(); ++i)
            SetStdHandle(StandardIds[i], Standard[i]);
    }
    HANDLE Handle() const { return Buffer; }
    // The row's first characters, as many as expected holds.
    std::wstring Row(SHORT row, std::wstring_view expected) const
    {
        std::wstring text(expected.size(), L'\0');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(Buffer, text.data(), static_cast<DWORD>(text.size()), {0, row}, &read);
        text.resize(read);
        return text;
    }

private:
    static constexpr DWORD StandardIds[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    std::vector<HANDLE> Standard;
    HANDLE Buffer = INVALID_HANDLE_VALUE;
};

// On a console the lines go as wide characters: the screen shows each character, whatever the
// code page that bytes would be read in, and each line starts a row of its own.
TEST(ConsoleLinesTest, ConsoleShowsEveryCharacterWhateverItsCodePage)
{
    const TConsoleBuffer console;
    ASSERT_NE(console.Handle(), INVALID_HANDLE_VALUE);
    const UINT codePage = GetConsoleOutputCP();
    SetConsoleOutputCP(850);
    WriteLines(console.Handle(), u"Région 2024 : 1\u00a0250\u00a0€\nŁódź");
    SetConsoleOutputCP(codePage);
    for (const auto& [row, expected] : {std::pair<SHORT, std::wstring_view>{0, L"Région 2024 : 1\u00a0250\u00a0€"},
                                        {1, L"Łódź"}})
        EXPECT_EQ(console.Row(row, expected), expected);
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    GetConsoleScreenBufferInfo(console.Handle(), &info);
    EXPECT_EQ(info.dwCursorPosition.X, 0);
    EXPECT_EQ(info.dwCursorPosition.Y, 2);
}

}  // namespace
}  // namespace tabulor::test

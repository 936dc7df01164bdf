#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tabulor {
namespace {

using TArguments = std::vector<std::u16string>;
constexpr TOptionStyle Posix = TOptionStyle::Posix;
constexpr TOptionStyle Windows = TOptionStyle::Windows;
constexpr TCommandAction Open = TCommandAction::Open;
constexpr TCommandAction Help = TCommandAction::Help;
constexpr TCommandAction Version = TCommandAction::Version;
constexpr TCommandAction Error = TCommandAction::Error;

bool Contains(std::u16string_view text, std::u16string_view part)
{
    return text.find(part) != std::u16string_view::npos;
}

TEST(CommandLine, ActionAndFileNames)
{
    const struct {
        TArguments Arguments;
        TOptionStyle Style;
        TCommandAction Action;
        TArguments FileNames;
    } cases[] = {
        {{}, Posix, Open, {}},
        {{u"ventes.txt"}, Posix, Open, {u"ventes.txt"}},
        {{u"a.txt", u"b.txt"}, Posix, Open, {u"a.txt", u"b.txt"}},
        {{u""}, Posix, Open, {u""}},
        {{u"/?"}, Posix, Open, {u"/?"}},
        {{u"--help"}, Posix, Help, {}},
        {{u"-h"}, Posix, Help, {}},
        {{u"--version"}, Posix, Version, {}},
        {{u"a.txt", u"--help"}, Posix, Help, {}},
        {{u"--version", u"--help"}, Posix, Version, {}},
        {{u"--help", u"-x"}, Posix, Help, {}},
        {{u"-x", u"--help"}, Posix, Error, {}},
        {{u"-"}, Posix, Error, {}},
        {{u"-help"}, Posix, Error, {}},
        {{u"--HELP"}, Posix, Error, {}},
        {{u"--", u"-x"}, Posix, Open, {u"-x"}},
        {{u"--", u"--help"}, Posix, Open, {u"--help"}},
        {{u"--", u"--"}, Posix, Open, {u"--"}},
        {{u"a.txt", u"--", u"-b.txt"}, Posix, Open, {u"a.txt", u"-b.txt"}},
        {{u"/?"}, Windows, Help, {}},
        {{u"--help"}, Windows, Help, {}},
        {{u"--version"}, Windows, Version, {}},
        {{u"/version"}, Windows, Error, {}},
        {{u"/"}, Windows, Error, {}},
        {{u"-x"}, Windows, Error, {}},
        {{u"C:\\d\\ventes.txt"}, Windows, Open, {u"C:\\d\\ventes.txt"}},
        {{u"--", u"/x.txt"}, Windows, Open, {u"/x.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Arguments));
        const TCommandLine command = ParseCommandLine(c.Arguments, c.Style);
        EXPECT_EQ(command.Action, c.Action);
        EXPECT_EQ(command.FileNames, c.FileNames);
        EXPECT_EQ(command.Message.empty(), c.Action == Open);
    }
}

TEST(CommandLine, UsageNamesEachOptionOfItsStyle)
{
    const std::u16string posix = ParseCommandLine(TArguments{u"-h"}, Posix).Message;
    const std::u16string windows = ParseCommandLine(TArguments{u"/?"}, Windows).Message;
    EXPECT_EQ(ParseCommandLine(TArguments{u"--help"}, Windows).Message, windows);
    for (const std::u16string& usage : {posix, windows}) {
        for (std::u16string_view option : {u"-h, --help", u"--version", u"  --  "})
            EXPECT_TRUE(Contains(usage, option));
        EXPECT_NE(usage.back(), u'\n');
    }
    EXPECT_TRUE(Contains(posix, u": tabulor [option]"));
    EXPECT_FALSE(Contains(posix, u"/?"));
    EXPECT_TRUE(Contains(windows, u": tabulor.exe [option]"));
    EXPECT_TRUE(Contains(windows, u"/?, -h, --help"));
}

TEST(CommandLine, UsageLinesUpTheOptionsMeanings)
{
    for (const TOptionStyle style : {Posix, Windows}) {
        const std::u16string usage = ParseCommandLine(TArguments{u"-h"}, style).Message;
        std::set<std::size_t> columns;
        for (std::size_t line = usage.find(u"\n  "); line != std::u16string::npos;
             line = usage.find(u"\n  ", line + 1)) {
            const std::size_t names = usage.find_first_not_of(u' ', line + 1);
            const std::size_t gap = usage.find(u"  ", names);
            columns.insert(usage.find_first_not_of(u' ', gap) - line);
        }
        EXPECT_EQ(columns.size(), 1u);
    }
}

TEST(CommandLine, VersionErrorsAndExitCodes)
{
    EXPECT_EQ(ExitCodeFor(Help), 0);
    EXPECT_EQ(ExitCodeFor(Version), 0);
    EXPECT_EQ(ExitCodeFor(Error), 2);
    EXPECT_EQ(ParseCommandLine(TArguments{u"--version"}, Posix).Message, u"tabulor " TABULOR_VERSION);
    EXPECT_EQ(ParseCommandLine(TArguments{u"--version"}, Windows).Message, u"tabulor " TABULOR_VERSION);

    // A terminal's user is told the option and where the usage is.
    const std::u16string posix = ParseCommandLine(TArguments{u"-x", u"-y"}, Posix).Message;
    EXPECT_TRUE(posix.starts_with(u"tabulor"));
    EXPECT_TRUE(Contains(posix, u"«\u00a0-x\u00a0»"));
    EXPECT_FALSE(Contains(posix, u"-y"));
    EXPECT_TRUE(Contains(posix, u"tabulor --help"));
    // A box shows the usage with the option.
    const std::u16string windows = ParseCommandLine(TArguments{u"/x"}, Windows).Message;
    EXPECT_TRUE(Contains(windows, u"«\u00a0/x\u00a0»"));
    EXPECT_TRUE(windows.ends_with(ParseCommandLine(TArguments{u"/?"}, Windows).Message));
}

}  // namespace
}  // namespace tabulor

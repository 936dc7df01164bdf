// The command line's runs as a terminal starts the program: without a display, the exit code and
// both streams as a script reads them, the files left behind.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/core/temp_folder.h"
#include "tests/testkit/xlsx_file.h"

namespace tabulor {
namespace {

using testkit::ReadFile;
using testkit::TTempFolder;
using testkit::WriteFile;
using TArguments = std::vector<std::string>;

struct TRun {
    int ExitCode = -1;
    std::string Output;
    std::string Error;
};

std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted.append("'\\''");
        else
            quoted.push_back(c);
    }
    quoted.push_back('\'');
    return quoted;
}

// The program run in folder, with nothing that Qt could take a display from; its standard output
// goes to outputTo where one is named.
TRun RunTabulor(const TTempFolder& folder, const TArguments& arguments, const std::string& outputTo = {})
{
    const TTempFolder streams;
    // Built by appending, which spares GCC 12 a false -Wrestrict alarm on operator+.
    std::string command = "cd ";
    command.append(ShellQuoted(folder.Path)).append(" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ");
    command.append(ShellQuoted(TABULOR_PROGRAM));
    for (const std::string& argument : arguments)
        command.append(" ").append(ShellQuoted(argument));
    command.append(" >").append(ShellQuoted(outputTo.empty() ? (streams / "out").string() : outputTo)).append(" 2>").append(ShellQuoted(streams / "err"));
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(streams / "out"), ReadFile(streams / "err")};
}

const std::string Prefix = "tabulor\u00a0: ";

// Each source runs whatever the one before it did; the messages name the source.
TEST(CommandRun, SeveralSourcesOneFailing)
{
    const TTempFolder folder;
    WriteFile(folder / "a.txt", "a;b\nc;d\n");
    WriteFile(folder / "b.txt", "x;y\n1;2\n");
    const TRun run = RunTabulor(folder, {"-c", "a.txt", "absent.txt", "--separateur", "point-virgule", "b.txt"});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Output, "");
    const std::string told = Prefix + "absent.txt\u00a0: Impossible d'ouvrir le fichier \""
                             + testkit::Shown(folder / "absent.txt") + "\". ";
    EXPECT_TRUE(run.Error.starts_with(told)) << run.Error;
    EXPECT_EQ(run.Error.find('\n'), run.Error.size() - 1) << run.Error;
    EXPECT_EQ(ReadFile(folder / "a.html"), "<table border=\"1px\">\r\n  <tr><th>a</th><th>b</th></tr>\r\n"
                                           "  <tr><td>c</td><td>d</td></tr>\r\n</table>\r\n");
    EXPECT_EQ(ReadFile(folder / "b.html"), "<table border=\"1px\">\r\n  <tr><th>x</th><th>y</th></tr>\r\n"
                                           "  <tr><td>1</td><td>2</td></tr>\r\n</table>\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "absent.html"));

    // One source is not named in its message.
    const TRun alone = RunTabulor(folder, {"-c", "absent.txt"});
    EXPECT_EQ(alone.ExitCode, 1);
    EXPECT_TRUE(alone.Error.starts_with(Prefix + "Impossible d'ouvrir")) << alone.Error;
}

// Standard output takes the table that a file named with the ids' stem "tableau" would hold.
TEST(CommandRun, StandardOutputAsTheFile)
{
    const TTempFolder folder;
    WriteFile(folder / "ventes.txt", "Mois\tVentes\nJanvier\t12\n\tÉté\n");
    WriteFile(folder / "ventes.xlsx",
              testkit::MakeXlsx({{"Notes", false, {{"n"}}, {}}, {"Été", false, {{"a", "b"}, {"c", "<d>"}}, {"A2:B2"}}}));
    const struct {
        const char* Source;
        TArguments Options;
    } cases[] = {
        {"ventes.txt", {}},
        {"ventes.txt", {"--document", "html5", "--titre", "Été & co", "--relier-en-tetes", "--colonnes-titre", "1",
                        "--codage", "utf-8", "--classe-td", "c"}},
        {"ventes.xlsx", {"--feuille", "Été", "--document", "xhtml", "--relier-en-tetes", "--sans-bordure"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Source);
        TArguments toStandard = {"-c", "-o", "-", c.Source};
        toStandard.insert(toStandard.end(), c.Options.begin(), c.Options.end());
        TArguments toFile = {"--convertir", c.Source, "--sortie", "tableau.html"};
        toFile.insert(toFile.end(), c.Options.begin(), c.Options.end());
        const TRun standard = RunTabulor(folder, toStandard);
        const TRun file = RunTabulor(folder, toFile);
        EXPECT_EQ(standard.ExitCode, 0);
        EXPECT_EQ(file.ExitCode, 0);
        EXPECT_EQ(standard.Error + file.Error + file.Output, "");
        EXPECT_NE(standard.Output.find("</table>"), std::string::npos);
        EXPECT_EQ(standard.Output, ReadFile(folder / "tableau.html"));
    }
}

TEST(CommandRun, MisuseWritesNothing)
{
    const TTempFolder folder;
    WriteFile(folder / "a.txt", "a\n");
    WriteFile(folder / "a.csv", "b\n");
    for (const TArguments& arguments : {TArguments{"-c", "a.txt", "a.csv"}, TArguments{"-c", "--lignes-titre", "un", "a.txt"}}) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        const TRun run = RunTabulor(folder, arguments);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_EQ(run.Output, "");
        EXPECT_TRUE(run.Error.starts_with(Prefix)) << run.Error;
        EXPECT_NE(run.Error.find("\nUtilisation\u00a0: tabulor"), std::string::npos) << run.Error;
        EXPECT_FALSE(std::filesystem::exists(folder / "a.html"));
    }
}

TEST(CommandRun, SheetLists)
{
    const TTempFolder folder;
    WriteFile(folder / "w.xlsx", testkit::MakeXlsx({{"Ventes", false, {{"a"}}, {}},
                                                   {"Calculs", true, {{"b"}}, {}},
                                                   {"Été 2024", false, {}, {}}}));
    WriteFile(folder / "v.xlsx", testkit::MakeXlsx({{"Seule", false, {{"a"}}, {}}}));
    WriteFile(folder / "t.txt", "a\tb\n");

    const TRun one = RunTabulor(folder, {"-l", "w.xlsx"});
    EXPECT_EQ(one.ExitCode, 0);
    EXPECT_EQ(one.Output, "Ventes\nCalculs (masquée)\nÉté 2024\n");
    EXPECT_EQ(one.Error, "");

    const TRun several = RunTabulor(folder, {"--feuilles", "w.xlsx", "t.txt", "absent.ods", "v.xlsx"});
    EXPECT_EQ(several.ExitCode, 1);
    EXPECT_EQ(several.Output, "w.xlsx\u00a0:\nVentes\nCalculs (masquée)\nÉté 2024\n\nv.xlsx\u00a0:\nSeule\n");
    EXPECT_TRUE(several.Error.starts_with(Prefix + "t.txt\u00a0: Le fichier \"" + testkit::Shown(folder / "t.txt")
                                          + "\" n'est pas un classeur valide.\n" + Prefix + "absent.ods\u00a0: "))
        << several.Error;
    EXPECT_FALSE(std::filesystem::exists(folder / "w.html"));

    // A list that cannot be written fails, as a table that cannot be does.
    const TRun full = RunTabulor(folder, {"-l", "w.xlsx"}, "/dev/full");
    EXPECT_EQ(full.ExitCode, 1);
    EXPECT_EQ(full.Error, Prefix + "Erreur d'écriture dans le flux.\n");
}

}  // namespace
}  // namespace tabulor

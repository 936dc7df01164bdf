#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include "shell/command_options.h"
#include "shell/layout.h"
#include "shell/list_entries.h"

namespace tabulor {
namespace {

using TArguments = std::vector<std::u16string>;
constexpr TOptionStyle Posix = TOptionStyle::Posix;
constexpr TOptionStyle Windows = TOptionStyle::Windows;
constexpr TCommandAction Open = TCommandAction::Open;
constexpr TCommandAction Help = TCommandAction::Help;
constexpr TCommandAction Version = TCommandAction::Version;
constexpr TCommandAction Error = TCommandAction::Error;
constexpr TCommandAction Convert = TCommandAction::Convert;
constexpr TCommandAction ListSheets = TCommandAction::ListSheets;

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
        {{u"-c", u"a.txt", u"b.csv"}, Posix, Convert, {u"a.txt", u"b.csv"}},
        {{u"a.txt", u"--convertir"}, Posix, Convert, {u"a.txt"}},
        {{u"-c", u"-c", u"a.txt"}, Posix, Convert, {u"a.txt"}},
        {{u"-c", u"--", u"-a.txt", u"-c"}, Posix, Convert, {u"-a.txt", u"-c"}},
        {{u"-c", u"a.txt", u"--help"}, Posix, Help, {}},
        {{u"-l", u"a.xlsx", u"b.ods"}, Posix, ListSheets, {u"a.xlsx", u"b.ods"}},
        {{u"--feuilles", u"a.xlsx"}, Posix, ListSheets, {u"a.xlsx"}},
        {{u"/?"}, Windows, Help, {}},
        {{u"--help"}, Windows, Help, {}},
        {{u"--version"}, Windows, Version, {}},
        {{u"/version"}, Windows, Error, {}},
        {{u"/"}, Windows, Error, {}},
        {{u"-x"}, Windows, Error, {}},
        {{u"C:\\d\\ventes.txt"}, Windows, Open, {u"C:\\d\\ventes.txt"}},
        {{u"--", u"/x.txt"}, Windows, Open, {u"/x.txt"}},
        {{u"-c", u"C:\\d\\a.txt", u"C:\\d\\b.txt"}, Windows, Convert, {u"C:\\d\\a.txt", u"C:\\d\\b.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Arguments));
        const TCommandLine command = ParseCommandLine(c.Arguments, c.Style);
        EXPECT_EQ(command.Action, c.Action);
        EXPECT_EQ(command.FileNames, c.FileNames);
        EXPECT_EQ(command.Message.empty(), c.Action == Open || c.Action == Convert || c.Action == ListSheets);
    }
}

// The window's controls as they start, which a case changes as a user would for the same choices.
struct TWindow {
    std::map<TControlId, std::u16string> Texts;
    std::set<TControlId> Ticked;
    std::map<TControlId, int> Selected;

    TWindow()
    {
        for (const TControlLayout& control : FormControls()) {
            Texts[control.Id] = TextAtStart(control.Id);
            if (control.Checked)
                Ticked.insert(control.Id);
        }
    }
    void Tick(TControlId id, bool ticked) { ticked ? void(Ticked.insert(id)) : void(Ticked.erase(id)); }
    void Output(TControlId radio)
    {
        for (TControlId id : {TControlId::RadioButtonOutputTable, TControlId::RadioButtonOutputHTML,
                              TControlId::RadioButtonOutputXHTML, TControlId::RadioButtonOutputHTML5})
            Tick(id, id == radio);
    }
    TConversionSettings Request() const
    {
        const TControlReader read = {[&](TControlId id) { return Texts.at(id); },
                                     [&](TControlId id) { return Ticked.contains(id); },
                                     [&](TControlId id) { return Selected.contains(id) ? Selected.at(id) : 0; }};
        return MakeConversionSettings(ReadFormFields(read));
    }
};

TEST(CommandLine, EachOptionAsTheWindowsField)
{
    using enum TControlId;
    const auto text = [](TControlId id, std::u16string value) {
        return [id, value](TWindow& window) { window.Texts[id] = value; };
    };
    const auto select = [](TControlId id, int index) {
        return [id, index](TWindow& window) { window.Selected[id] = index; };
    };
    const auto output = [](TControlId id) { return [id](TWindow& window) { window.Output(id); }; };
    const auto border = [](bool ticked, std::u16string value, std::u16string unit) {
        return [=](TWindow& window) {
            window.Tick(CheckBoxBorder, ticked);
            window.Texts[EditBorderValue] = value;
            window.Texts[ComboBoxBorderUnit] = unit;
        };
    };
    const struct {
        TArguments Options;
        std::function<void(TWindow&)> Change;
    } cases[] = {
        {{}, [](TWindow&) {}},
        {{u"--lignes-titre", u"3"}, text(EditTitleRows, u"3")},
        {{u"--lignes-titre", u"3", u"--lignes-titre", u"0"}, text(EditTitleRows, u"0")},
        {{u"--colonnes-titre", u"007"}, text(EditTitleCols, u"7")},
        {{u"--colonnes-titre", u"2147483647"}, text(EditTitleCols, u"2147483647")},
        {{u"--bordure", u"2em"}, border(true, u"2", u"em")},
        {{u"--sans-bordure"}, border(false, u"1", u"px")},
        {{u"--sans-bordure", u"--bordure", u"3px"}, border(true, u"3", u"px")},
        {{u"--bordure", u"3px", u"--sans-bordure"}, border(false, u"5", u"cm")},
        {{u"--cellules-vides", u""}, text(EditEmptyCells, u"")},
        {{u"--cellules-vides", u"-"}, text(EditEmptyCells, u"-")},
        {{u"--classe-tableau", u"grille é"}, text(EditTableClass, u"grille é")},
        {{u"--classe-tr", u"ligne"}, text(EditRowClass, u"ligne")},
        {{u"--classe-th", u"--titre"}, text(EditHeaderClass, u"--titre")},
        {{u"--classe-td", u"c"}, text(EditCellClass, u"c")},
        {{u"--document", u"tableau"}, output(RadioButtonOutputTable)},
        {{u"--document", u"html"}, output(RadioButtonOutputHTML)},
        {{u"--document", u"xhtml"}, output(RadioButtonOutputXHTML)},
        {{u"--document", u"html5"}, output(RadioButtonOutputHTML5)},
        {{u"--document", u"xhtml", u"--document", u"html"}, output(RadioButtonOutputHTML)},
        {{u"--titre", u"Ventes € 😀"}, text(EditCaption, u"Ventes € 😀")},
        {{u"--relier-en-tetes"}, [](TWindow& window) { window.Tick(CheckBoxLinkHeaders, true); }},
        {{u"--feuille", u"Été"}, text(ComboBoxSheet, u"Été")},
        {{u"--codage", u"windows-1252"}, select(ComboBoxSourceEncoding, 0)},
        {{u"--codage", u"utf-8"}, select(ComboBoxSourceEncoding, 1)},
        {{u"--codage", u"utf-16"}, select(ComboBoxSourceEncoding, 2)},
        {{u"--codage", u"automatique"}, select(ComboBoxSourceEncoding, 3)},
        {{u"--separateur", u"tabulation"}, select(ComboBoxFieldSeparator, 0)},
        {{u"--separateur", u"point-virgule"}, select(ComboBoxFieldSeparator, 1)},
        {{u"--separateur", u"virgule"}, select(ComboBoxFieldSeparator, 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Options));
        TWindow window;
        c.Change(window);
        // Options before the source and after it.
        TArguments before = {u"-c"};
        before.insert(before.end(), c.Options.begin(), c.Options.end());
        before.push_back(u"s.txt");
        TArguments after = {u"s.txt"};
        after.insert(after.end(), c.Options.begin(), c.Options.end());
        after.push_back(u"--convertir");
        for (const TArguments& arguments : {before, after}) {
            const TCommandLine command = ParseCommandLine(arguments, Posix);
            ASSERT_EQ(command.Action, Convert) << testing::PrintToString(command.Message);
            EXPECT_EQ(command.FileNames, TArguments{u"s.txt"});
            EXPECT_FALSE(command.OutputName);
            EXPECT_TRUE(MakeConversionSettings(command.Fields) == window.Request());
        }
    }
    // The window's box for hidden rows and columns, which no other option touches.
    TFormFields keep = InitialFormFields();
    keep.KeepHidden = true;
    EXPECT_TRUE(MakeConversionSettings(ParseCommandLine(TArguments{u"-c", u"--masquees", u"s.txt"}, Posix).Fields)
                == MakeConversionSettings(keep));
}

TEST(CommandLine, Destinations)
{
    const auto parse = [](TArguments arguments, TOptionStyle style = Posix) {
        return ParseCommandLine(arguments, style);
    };
    const TCommandLine beside = parse({u"-c", u"d/ventes.xlsx", u"notes"});
    EXPECT_FALSE(beside.OutputName);
    EXPECT_EQ(CommandDestination(beside, u"d/ventes.xlsx", TFileSystem::Posix), u"d/ventes.html");
    EXPECT_EQ(CommandDestination(beside, u"notes", TFileSystem::Posix), u"notes.html");
    EXPECT_EQ(CommandDestination(beside, u"d.x\\notes", TFileSystem::Windows), u"d.x\\notes.html");
    const TCommandLine named = parse({u"-c", u"ventes.txt", u"-o", u"a.html", u"--sortie", u"b.htm"});
    EXPECT_EQ(named.OutputName, u"b.htm");
    EXPECT_EQ(CommandDestination(named, u"ventes.txt", TFileSystem::Posix), u"b.htm");
    const TCommandLine standard = parse({u"-c", u"-o", u"-", u"ventes.txt"});
    EXPECT_EQ(standard.OutputName, u"-");
    EXPECT_EQ(CommandDestination(standard, u"ventes.txt", TFileSystem::Posix), std::nullopt);
    // Names that differ only in case are two files on Linux.
    EXPECT_EQ(parse({u"-c", u"A.txt", u"a.ods"}).Action, Convert);
}

// The arguments that name files to convert or list, option values and other commands left out.
TEST(CommandLine, SourceArguments)
{
    const struct {
        TArguments Arguments;
        std::vector<std::size_t> Sources;
    } cases[] = {
        {{u"-c", u"*.xlsx", u"*.ods"}, {1, 2}},
        {{u"--titre", u"*.csv", u"*.csv", u"-c", u"-o", u"x.html"}, {2}},
        {{u"-l", u"--", u"-a.ods", u"b.ods"}, {2, 3}},
        {{u"a.txt", u"b.txt"}, {}},
        {{u"-c", u"a.txt", u"/?"}, {}},
        {{u"-c", u"a.txt", u"--bogus"}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SourceArguments(c.Arguments, TOptionStyle::Windows), c.Sources) << c.Arguments.size();
}

TEST(CommandLine, Misuses)
{
    const struct {
        TArguments Arguments;
        TOptionStyle Style;
        std::u16string_view Told;
    } cases[] = {
        {{u"-c"}, Posix, u"aucune source"},
        {{u"-c", u"--"}, Posix, u"aucune source"},
        {{u"-l"}, Posix, u"aucun classeur"},
        {{u"-c", u"-l", u"a.xlsx"}, Posix, u"«\u00a0-c\u00a0» et «\u00a0-l\u00a0»"},
        {{u"-x", u"-c", u"a.txt"}, Posix, u"option inconnue «\u00a0-x\u00a0»"},
        {{u"-c", u"a.txt", u"--sortie"}, Posix, u"«\u00a0--sortie\u00a0»"},
        {{u"-c", u"a.txt", u"--feuille"}, Posix, u"«\u00a0--feuille\u00a0»"},
        {{u"-c", u"-o", u"x.html", u"a.txt", u"b.txt"}, Posix, u"«\u00a0-o\u00a0»"},
        {{u"-c", u"-o", u"-", u"a.txt", u"b.txt"}, Posix, u"«\u00a0-o\u00a0»"},
        {{u"-c", u"-o", u"", u"a.txt"}, Posix, u"«\u00a0-o\u00a0» attend un nom de fichier"},
        {{u"--lignes-titre", u"2", u"a.txt"}, Posix, u"«\u00a0--lignes-titre\u00a0» ne vaut qu'avec"},
        {{u"-l", u"--titre", u"T", u"a.xlsx"}, Posix, u"«\u00a0--titre\u00a0» ne vaut qu'avec"},
        {{u"-o", u"-", u"a.txt"}, Posix, u"«\u00a0-o\u00a0» ne vaut qu'avec"},
        {{u"-c", u"--document", u"HTML", u"a.txt"}, Posix, u"tableau, html, xhtml ou html5, pas «\u00a0HTML\u00a0»"},
        {{u"-c", u"--codage", u"latin1", u"a.txt"}, Posix, u"windows-1252, utf-8, utf-16 ou automatique"},
        {{u"-c", u"--separateur", u";", u"a.txt"}, Posix, u"tabulation, point-virgule ou virgule"},
        {{u"-c", u"a.xlsx", u"a.ods"}, Posix, u"«\u00a0a.xlsx\u00a0» et «\u00a0a.ods\u00a0» seraient"},
        {{u"-c", u"a.xlsx", u"x/../a.ods"}, Posix, u"même fichier «\u00a0x/../a.html\u00a0»"},
        {{u"-c", u"a.txt", u"a.txt"}, Posix, u"seraient convertis"},
        {{u"-c", u"b.txt", u"a.txt", u"a.html"}, Posix, u"«\u00a0a.txt\u00a0» remplacerait la source «\u00a0a.html\u00a0»"},
        {{u"-c", u"a.html"}, Posix, u"«\u00a0a.html\u00a0» remplacerait la source «\u00a0a.html\u00a0»"},
        {{u"-c", u"-o", u"./a.txt", u"a.txt"}, Posix, u"remplacerait la source"},
        {{u"-c", u"A.TXT", u"a.ods"}, Windows, u"seraient convertis"},
        {{u"-c", u"d\\É.txt", u"D\\é.ods"}, Windows, u"seraient convertis"},
        {{u"-c", u"a.txt", u"A.HTML"}, Windows, u"remplacerait la source"},
        {{u"-c", u"/x", u"a.txt"}, Windows, u"Option inconnue «\u00a0/x\u00a0»"},
        {{u"-c", u"--lignes-titre"}, Windows, u"Valeur manquante"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Arguments));
        const TCommandLine command = ParseCommandLine(c.Arguments, c.Style);
        EXPECT_EQ(command.Action, Error);
        EXPECT_TRUE(Contains(command.Message, c.Told)) << testing::PrintToString(command.Message);
        EXPECT_TRUE(Contains(command.Message, u"tabulor -c [option]… [--] SOURCE…"));
    }
    // A number is decimal digits, in the range of the spin fields.
    for (std::u16string_view number : {u"", u"x", u"-1", u"+1", u" 1", u"1 ", u"0x1", u"$1", u"1.5", u"2147483648",
                                        u"99999999999999999999", u"１"}) {
        for (std::u16string_view option : {u"--lignes-titre", u"--colonnes-titre"}) {
            SCOPED_TRACE(testing::PrintToString(std::u16string(option) + u" " + std::u16string(number)));
            const TCommandLine command =
                ParseCommandLine(TArguments{u"-c", std::u16string(option), std::u16string(number), u"a.txt"}, Posix);
            EXPECT_EQ(command.Action, Error);
            EXPECT_TRUE(command.Message.starts_with(u"tabulor\u00a0: l'option «\u00a0" + std::u16string(option)));
        }
    }
}

// Windows programs also answer "/?", and only they say so.
TEST(CommandLine, UsageOfEachStyle)
{
    const std::u16string posix = ParseCommandLine(TArguments{u"-h"}, Posix).Message;
    const std::u16string windows = ParseCommandLine(TArguments{u"/?"}, Windows).Message;
    EXPECT_EQ(ParseCommandLine(TArguments{u"--help"}, Windows).Message, windows);
    EXPECT_FALSE(Contains(posix, u"/?"));
    EXPECT_TRUE(Contains(windows, u"/?, -h, --help"));
}

// Each option's meaning starts in one column, and goes on under itself, within a terminal's line.
TEST(CommandLine, UsageLinesUpTheOptionsMeanings)
{
    for (const TOptionStyle style : {Posix, Windows}) {
        const std::u16string usage = ParseCommandLine(TArguments{u"-h"}, style).Message;
        std::set<std::size_t> columns;
        std::size_t lines = 0;
        bool inOptions = false;
        for (std::size_t start = 0; start < usage.size();) {
            const std::size_t end = std::min(usage.find(u'\n', start), usage.size());
            const std::u16string_view line = std::u16string_view(usage).substr(start, end - start);
            start = end + 1;
            EXPECT_LE(line.size(), 80u) << testing::PrintToString(std::u16string(line));
            inOptions = line.starts_with(u"Options") || (inOptions && !line.empty());
            if (inOptions && (line.starts_with(u"  -") || line.starts_with(u"  /"))) {
                columns.insert(line.find_first_not_of(u' ', line.find(u"  ", 2)));
                ++lines;
            } else if (inOptions && line.starts_with(u" ")) {
                columns.insert(line.find_first_not_of(u' '));
            }
        }
        // The program's five options, then each conversion option.
        EXPECT_EQ(lines, 5 + ConversionOptions().size());
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
    EXPECT_TRUE(posix.starts_with(u"tabulor\u00a0: option inconnue «\u00a0-x\u00a0»\n"));
    EXPECT_FALSE(Contains(posix, u"-y"));
    EXPECT_TRUE(Contains(posix, u"tabulor --help"));
    // A box shows the usage with the option.
    const std::u16string windows = ParseCommandLine(TArguments{u"/x"}, Windows).Message;
    EXPECT_TRUE(Contains(windows, u"«\u00a0/x\u00a0»"));
    EXPECT_TRUE(windows.ends_with(ParseCommandLine(TArguments{u"/?"}, Windows).Message));
}

}  // namespace
}  // namespace tabulor

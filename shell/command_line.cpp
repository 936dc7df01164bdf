#include "shell/command_line.h"

#include <algorithm>
#include <string_view>

namespace tabulor {
namespace {

struct TOptionLine {
    std::u16string_view Names;
    std::u16string_view Meaning;
};

bool IsWindows(TOptionStyle style)
{
    return style == TOptionStyle::Windows;
}

bool IsOption(std::u16string_view argument, TOptionStyle style)
{
    return argument.starts_with(u'-') || (IsWindows(style) && argument.starts_with(u'/'));
}

bool IsHelp(std::u16string_view option, TOptionStyle style)
{
    return option == u"-h" || option == u"--help" || (IsWindows(style) && option == u"/?");
}

std::u16string ProgramName(TOptionStyle style)
{
    return IsWindows(style) ? u"tabulor.exe" : u"tabulor";
}

// One line per option, the meanings lined up after the longest names.
std::u16string OptionLines(std::span<const TOptionLine> lines)
{
    std::size_t width = 0;
    for (const TOptionLine& line : lines)
        width = std::max(width, line.Names.size());
    std::u16string text;
    for (const TOptionLine& line : lines) {
        text.append(u"\n  ").append(line.Names);
        text.append(width - line.Names.size() + 3, u' ').append(line.Meaning);
    }
    return text;
}

std::u16string Usage(TOptionStyle style)
{
    const std::u16string optionsEnd = u"termine les options\u00a0: un nom qui commence par «\u00a0-\u00a0»"
                                      + std::u16string(IsWindows(style) ? u" ou «\u00a0/\u00a0»" : u"")
                                      + u" peut suivre";
    const TOptionLine lines[] = {
        {IsWindows(style) ? u"/?, -h, --help" : u"-h, --help", u"affiche cette aide"},
        {u"--version", u"affiche la version"},
        {u"--", optionsEnd},
    };
    return u"Utilisation\u00a0: " + ProgramName(style)
           + u" [option] [--] [fichier]\n"
             u"Ouvre la fenêtre de Tabulor, qui convertit une feuille enregistrée en texte\n"
             u"(tabulations ou CSV) en tableau HTML.\n"
             u"Le fichier nommé en est la source.\n\nOptions\u00a0:"
           + OptionLines(lines);
}

// A terminal's user reads the error and asks for the usage; a box shows both at once.
std::u16string UnknownOption(std::u16string_view option, TOptionStyle style)
{
    const std::u16string quoted = u"«\u00a0" + std::u16string(option) + u"\u00a0»";
    if (IsWindows(style))
        return u"Option inconnue\u00a0: " + quoted + u"\n\n" + Usage(style);
    return u"tabulor\u00a0: option inconnue " + quoted
           + u"\nSaisissez «\u00a0tabulor --help\u00a0» pour plus d'informations.";
}

TCommandLine OptionCommand(std::u16string_view option, TOptionStyle style)
{
    if (IsHelp(option, style))
        return {TCommandAction::Help, {}, Usage(style)};
    if (option == u"--version")
        return {TCommandAction::Version, {}, u"tabulor " TABULOR_VERSION};
    return {TCommandAction::Error, {}, UnknownOption(option, style)};
}

}  // namespace

TCommandLine ParseCommandLine(std::span<const std::u16string> arguments, TOptionStyle style)
{
    TCommandLine command;
    bool optionsEnded = false;
    for (const std::u16string& argument : arguments) {
        if (!optionsEnded && argument == u"--")
            optionsEnded = true;
        else if (!optionsEnded && IsOption(argument, style))
            return OptionCommand(argument, style);
        else
            command.FileNames.push_back(argument);
    }
    return command;
}

int ExitCodeFor(TCommandAction action)
{
    constexpr int misuse = 2;
    return action == TCommandAction::Error ? misuse : 0;
}

}  // namespace tabulor

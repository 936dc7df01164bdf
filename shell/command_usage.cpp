#include "shell/command_usage.h"

#include <algorithm>
#include <vector>

#include "shell/command_options.h"

namespace tabulor {
namespace {

struct TOptionLine {
    std::u16string Names;
    std::u16string Meaning;
};

using TOptionLines = std::vector<TOptionLine>;

TOptionLines ProgramOptionLines(TOptionStyle style)
{
    const bool windows = style == TOptionStyle::Windows;
    std::u16string optionsEnd = u"termine les options\u00a0: un nom qui commence par «\u00a0-\u00a0»";
    if (windows)
        optionsEnd += u" ou «\u00a0/\u00a0»";
    return {
        {windows ? u"/?, -h, --help" : u"-h, --help", u"affiche cette aide"},
        {u"--version", u"affiche la version"},
        {u"-c, --convertir", u"convertit chaque SOURCE sans ouvrir la fenêtre"},
        {u"-l, --feuilles", u"liste les feuilles de chaque CLASSEUR"},
        {u"--", optionsEnd + u" peut suivre"},
    };
}

TOptionLines ConversionOptionLines()
{
    TOptionLines lines;
    for (const TCommandOption& option : ConversionOptions()) {
        std::u16string names = option.ShortName.empty() ? u"" : std::u16string(option.ShortName) + u", ";
        names.append(option.LongName);
        if (!option.ValueName.empty())
            names.append(u" ").append(option.ValueName);
        lines.push_back({std::move(names), option.Meaning});
    }
    return lines;
}

// A terminal's line, which a meaning too long goes on past, under itself.
constexpr std::size_t LineWidth = 80;

// One line per option, the meanings of every section lined up after the longest names and cut
// at their spaces (never at a no-break space) where they would pass the line's end.
std::u16string OptionLines(const TOptionLines& lines, std::size_t width)
{
    const std::size_t column = width + 5;
    std::u16string text;
    for (const TOptionLine& line : lines) {
        text.append(u"\n  ").append(line.Names).append(column - 2 - line.Names.size(), u' ');
        std::size_t used = column;
        std::u16string_view rest = line.Meaning;
        for (bool first = true; !rest.empty(); first = false) {
            const std::u16string_view word = rest.substr(0, rest.find(u' '));
            rest.remove_prefix(std::min(word.size() + 1, rest.size()));
            if (!first && used + 1 + word.size() > LineWidth) {
                text.append(u"\n").append(column, u' ');
                used = column;
            } else if (!first) {
                text.append(1, u' ');
                ++used;
            }
            text.append(word);
            used += word.size();
        }
    }
    return text;
}

}  // namespace

std::u16string Synopsis()
{
    return u"Utilisation\u00a0: tabulor [option] [--] [fichier]\n"
           u"         ou\u00a0: tabulor -c [option]… [--] SOURCE…\n"
           u"         ou\u00a0: tabulor -l [--] CLASSEUR…";
}

std::u16string Usage(TOptionStyle style)
{
    const TOptionLines program = ProgramOptionLines(style);
    const TOptionLines conversion = ConversionOptionLines();
    std::size_t width = 0;
    for (const TOptionLines* lines : {&program, &conversion}) {
        for (const TOptionLine& line : *lines)
            width = std::max(width, line.Names.size());
    }
    return Synopsis()
           + u"\nSans -c ni -l, ouvre la fenêtre de Tabulor, qui convertit en tableau HTML une\n"
             u"feuille enregistrée en texte (tabulations ou CSV) ou une feuille d'un classeur\n"
             u"(.xlsx, .ods)\u00a0; le fichier nommé en est la source.\n"
             u"Avec -c, convertit chaque SOURCE sans fenêtre ni écran, dans le fichier que la\n"
             u"fenêtre proposerait (à côté de la source, extension .html), avec les réglages\n"
             u"de la fenêtre à son ouverture pour les options absentes.\n"
             u"Avec -l, écrit les feuilles de chaque CLASSEUR, une par ligne, «\u00a0(masquée)\u00a0»\n"
             u"après celles qui sont masquées\u00a0; s'il y a plusieurs classeurs, le nom de\n"
             u"chacun précède ses feuilles.\n\nOptions\u00a0:"
           + OptionLines(program, width) + u"\n\nOptions de conversion, avec -c\u00a0:" + OptionLines(conversion, width)
           + u"\n\nCode de sortie\u00a0: 0 si tout est converti, 1 si une source au moins ne l'a pas\n"
             u"été, 2 si la commande est mal formée.\n\nExemples\u00a0:\n"
             u"  tabulor -c --document html5 --lignes-titre 2 ventes-*.xlsx\n"
             u"  tabulor -c --separateur point-virgule -o - export.csv > tableau.html";
}

}  // namespace tabulor

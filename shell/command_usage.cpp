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

// One line per option, the meanings of every section lined up after the longest names.
std::u16string OptionLines(const TOptionLines& lines, std::size_t width)
{
    std::u16string text;
    for (const TOptionLine& line : lines) {
        text.append(u"\n  ").append(line.Names);
        text.append(width - line.Names.size() + 3, u' ').append(line.Meaning);
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
           + u"\nSans -c ni -l, ouvre la fenêtre de Tabulor, qui convertit en tableau HTML une feuille\n"
             u"enregistrée en texte (tabulations ou CSV) ou une feuille d'un classeur (.xlsx, .ods)\u00a0;\n"
             u"le fichier nommé en est la source.\n"
             u"Avec -c, convertit chaque SOURCE sans fenêtre ni écran, dans le fichier que la fenêtre\n"
             u"proposerait (à côté de la source, extension .html), avec les réglages de la fenêtre à\n"
             u"son ouverture pour les options absentes.\n"
             u"Avec -l, écrit les feuilles de chaque CLASSEUR, une par ligne, «\u00a0(masquée)\u00a0» après\n"
             u"celles qui sont masquées.\n\nOptions\u00a0:"
           + OptionLines(program, width) + u"\n\nOptions de conversion, avec -c\u00a0:" + OptionLines(conversion, width)
           + u"\n\nCode de sortie\u00a0: 0 si tout est converti, 1 si une source au moins ne l'a pas été,\n"
             u"2 si la commande est mal formée.\n\nExemples\u00a0:\n"
             u"  tabulor -c --document html5 --lignes-titre 2 ventes-*.xlsx\n"
             u"  tabulor -c --separateur point-virgule -o - export.csv > tableau.html";
}

}  // namespace tabulor

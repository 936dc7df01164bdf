#include "shell/command_options.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "shell/list_entries.h"
#include "shell/spin_field.h"
#include "shell/text.h"

namespace tabulor {
namespace {

using TSetResult = std::optional<std::u16string>;
using TTextField = std::u16string TFormFields::*;

// An option that takes one of a few words, and what each word sets.
struct TOptionWord {
    std::u16string Word;
    std::function<void(TFormFields& fields)> Set;
};

std::u16string WithDefault(std::u16string_view meaning, std::u16string_view byDefault)
{
    std::u16string text(meaning);
    if (!byDefault.empty())
        text.append(u" (").append(byDefault).append(u" par défaut)");
    return text;
}

TCommandOption TextOption(std::u16string_view name, std::u16string_view valueName, std::u16string_view meaning,
                          TTextField field)
{
    return {{}, name, std::u16string(valueName), WithDefault(meaning, InitialFormFields().*field),
            [field](TCommandLine& command, std::u16string_view value) -> TSetResult {
                command.Fields.*field = value;
                return std::nullopt;
            }};
}

// Decimal digits alone, for a count that the spin fields hold: within their bounds where they
// apply, else any that an int holds.
std::optional<int> SpinFieldNumber(std::u16string_view text)
{
    constexpr int notANumber = -1;
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const int value = SpinFieldValue(text, notANumber);
    const TSpinFieldBounds& bounds = SpinFieldBounds;
    const bool bounded = bounds.MinValue != bounds.MaxValue;
    if (value == notANumber || (bounded && (value < bounds.MinValue || value > bounds.MaxValue)))
        return std::nullopt;
    return value;
}

std::u16string SpinFieldRange()
{
    const TSpinFieldBounds& bounds = SpinFieldBounds;
    const bool bounded = bounds.MinValue != bounds.MaxValue;
    const auto text = [](int n) {
        const std::string digits = std::to_string(n);
        return std::u16string(digits.begin(), digits.end());
    };
    return u"un nombre de " + text(bounded ? std::max(bounds.MinValue, 0) : 0) + u" à "
           + text(bounded ? bounds.MaxValue : std::numeric_limits<int>::max());
}

TCommandOption NumberOption(std::u16string_view name, std::u16string_view meaning, TTextField field)
{
    TCommandOption option = TextOption(name, u"N", meaning, field);
    option.Set = [field](TCommandLine& command, std::u16string_view value) -> TSetResult {
        if (!SpinFieldNumber(value))
            return SpinFieldRange();
        command.Fields.*field = value;
        return std::nullopt;
    };
    return option;
}

TCommandOption FlagOption(std::u16string_view name, std::u16string_view meaning, bool TFormFields::*field,
                          bool value)
{
    return {{}, name, {}, std::u16string(meaning), [field, value](TCommandLine& command, std::u16string_view) {
                command.Fields.*field = value;
                return TSetResult();
            }};
}

// The meaning lists the words; the default is the word that leaves the window's starting request
// as it is.
TCommandOption WordOption(std::u16string_view name, std::u16string_view valueName, std::u16string_view meaning,
                          std::vector<TOptionWord> words)
{
    const TConversionSettings atStart = MakeConversionSettings(InitialFormFields());
    std::u16string list;
    std::u16string byDefault;
    for (std::size_t i = 0; i < words.size(); ++i) {
        list.append(i == 0 ? u"" : i + 1 == words.size() ? u" ou " : u", ").append(words[i].Word);
        TFormFields fields = InitialFormFields();
        words[i].Set(fields);
        if (MakeConversionSettings(fields) == atStart)
            byDefault = words[i].Word;
    }
    const std::u16string shown = std::u16string(meaning) + u"\u00a0: " + list;
    return {{}, name, std::u16string(valueName), WithDefault(shown, byDefault),
            [words, list](TCommandLine& command, std::u16string_view value) -> TSetResult {
                const auto word = std::find_if(words.begin(), words.end(),
                                               [value](const TOptionWord& w) { return w.Word == value; });
                if (word == words.end())
                    return list;
                word->Set(command.Fields);
                return std::nullopt;
            }};
}

// The output kinds' radio buttons: the HTML document is the one when none of the other three is.
std::vector<TOptionWord> DocumentWords()
{
    const auto only = [](bool TFormFields::*kind) {
        return [kind](TFormFields& fields) {
            fields.OutputTable = fields.OutputXhtml = fields.OutputHtml5 = false;
            if (kind != nullptr)
                fields.*kind = true;
        };
    };
    return {{u"tableau", only(&TFormFields::OutputTable)},
            {u"html", only(nullptr)},
            {u"xhtml", only(&TFormFields::OutputXhtml)},
            {u"html5", only(&TFormFields::OutputHtml5)}};
}

// A drop-down list's entries in small letters, each selecting its entry.
std::vector<TOptionWord> ListWords(TControlId list, int TFormFields::*field)
{
    const std::span<const std::u16string> entries = ListEntries(list);
    std::vector<TOptionWord> words;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        words.push_back(
            {ToLowerLatin1(entries[i]), [field, i](TFormFields& fields) { fields.*field = static_cast<int>(i); }});
    }
    return words;
}

std::vector<TCommandOption> MakeOptions()
{
    const TFormFields atStart = InitialFormFields();
    return {
        {u"-o", u"--sortie", u"FICHIER", u"le fichier écrit, d'une seule source\u00a0; «\u00a0-\u00a0»\u00a0: la sortie standard",
         [](TCommandLine& command, std::u16string_view value) {
             if (value.empty())
                 return TSetResult(u"un nom de fichier");
             command.OutputName = value;
             return TSetResult();
         }},
        TextOption(u"--feuille", u"NOM", u"la feuille d'un classeur (la première non masquée par défaut)",
                   &TFormFields::SheetName),
        NumberOption(u"--lignes-titre", u"nombre de lignes de titre", &TFormFields::TitleRows),
        NumberOption(u"--colonnes-titre", u"nombre de colonnes de titre", &TFormFields::TitleCols),
        {{}, u"--bordure", u"VALEUR",
         WithDefault(u"bordure, sa valeur et son unité ensemble, par exemple 2px", atStart.BorderValue + atStart.BorderUnit),
         [](TCommandLine& command, std::u16string_view value) {
             // The request joins the value and the unit: the unit's list is left empty.
             command.Fields.Border = true;
             command.Fields.BorderValue = value;
             command.Fields.BorderUnit.clear();
             return TSetResult();
         }},
        FlagOption(u"--sans-bordure", u"pas de bordure", &TFormFields::Border, false),
        TextOption(u"--cellules-vides", u"TEXTE", u"texte des cellules vides", &TFormFields::EmptyCells),
        TextOption(u"--classe-tableau", u"CLASSE", u"classe CSS du table", &TFormFields::TableClass),
        TextOption(u"--classe-tr", u"CLASSE", u"classe CSS des tr", &TFormFields::RowClass),
        TextOption(u"--classe-th", u"CLASSE", u"classe CSS des th", &TFormFields::HeaderClass),
        TextOption(u"--classe-td", u"CLASSE", u"classe CSS des td", &TFormFields::CellClass),
        WordOption(u"--document", u"TYPE", u"le tableau seul ou un document complet", DocumentWords()),
        TextOption(u"--titre", u"TEXTE", u"titre du tableau", &TFormFields::Caption),
        FlagOption(u"--relier-en-tetes", u"relie chaque cellule à ses en-têtes", &TFormFields::LinkHeaders, true),
        FlagOption(u"--masquees", u"reprend les lignes et colonnes masquées d'un classeur", &TFormFields::KeepHidden,
                   true),
        WordOption(u"--codage", u"CODAGE", u"codage d'un texte",
                   ListWords(TControlId::ComboBoxSourceEncoding, &TFormFields::SourceEncoding)),
        WordOption(u"--separateur", u"SÉPARATEUR", u"séparateur des champs d'un texte",
                   ListWords(TControlId::ComboBoxFieldSeparator, &TFormFields::FieldSeparator)),
    };
}

}  // namespace

std::span<const TCommandOption> ConversionOptions()
{
    static const std::vector<TCommandOption> options = MakeOptions();
    return options;
}

const TCommandOption* FindConversionOption(std::u16string_view name)
{
    const std::span<const TCommandOption> options = ConversionOptions();
    const auto option = std::find_if(options.begin(), options.end(), [name](const TCommandOption& o) {
        return name == o.LongName || (!o.ShortName.empty() && name == o.ShortName);
    });
    return option == options.end() ? nullptr : &*option;
}

}  // namespace tabulor

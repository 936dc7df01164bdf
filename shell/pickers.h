// The two file pickers of the main window, as every platform's file dialog is set up from them.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace tabulor {

enum class TPickerKind { Open, Save };

// One entry of a picker's file-type list: its description and its patterns, separated by
// semicolons.
struct TPickerFilter {
    std::u16string_view Description;
    std::u16string_view Patterns;
};

struct TPickerSetup {
    std::string_view Name;
    TPickerKind Kind;
    std::u16string_view Title;
    // The file-type list, its first entry active when the dialog opens.
    std::span<const TPickerFilter> Filters;
    // Appended by the dialog to a typed name that has no extension.
    std::u16string_view DefaultExtension;
};

// Every file. Windows' "*.*" matches a name without a full stop too; elsewhere only "*" does.
#ifdef _WIN32
inline constexpr TPickerFilter AllFilesFilter = {u"Tous les fichiers (*.*)", u"*.*"};
#else
inline constexpr TPickerFilter AllFilesFilter = {u"Tous les fichiers (*)", u"*"};
#endif

inline constexpr TPickerFilter SourceFilters[] = {
    {u"Texte (séparateur : tabulation) (*.txt)", u"*.txt"},
    {u"Fichier CSV (*.csv)", u"*.csv"},
    {u"Classeur (*.xlsx;*.xlsm;*.ods)", u"*.xlsx;*.xlsm;*.ods"},
    AllFilesFilter,
};

inline constexpr TPickerFilter DestinationFilters[] = {
    {u"Fichier HTML (*.htm ; *.html ; *.xhtml)", u"*.htm;*.html;*.xhtml"},
};

inline constexpr TPickerSetup OpenPickerSetup = {
    "OpenDialog", TPickerKind::Open, u"Sélection du fichier source", SourceFilters, u"txt"};

inline constexpr TPickerSetup SavePickerSetup = {
    "SaveDialog", TPickerKind::Save, u"Sélection du fichier destination", DestinationFilters,
    u"html"};

// The file-name buffer of the Windows dialogs, its terminating zero included: a longer name
// is never returned.
inline constexpr std::size_t PickerBufferLength = 260;

inline bool FitsPickerBuffer(std::u16string_view name)
{
    return name.size() < PickerBufferLength;
}

}  // namespace tabulor

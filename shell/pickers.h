// The two file pickers of the main window, as every platform's file dialog is set up from them.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "shell/file_names.h"

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
    // The file-type list, its first entry active when the picker opens.
    std::span<const TPickerFilter> Filters;
    // Appended by the picker to a typed name that has no extension.
    std::u16string_view DefaultExtension;
};

// Every file. Windows' "*.*" matches a name without a full stop too; elsewhere only "*" does.
constexpr TPickerFilter AllFilesFilter(TFileSystem system)
{
    if (system == TFileSystem::Windows)
        return {u"Tous les fichiers (*.*)", u"*.*"};
    return {u"Tous les fichiers (*)", u"*"};
}

template <TFileSystem System>
inline constexpr std::array<TPickerFilter, 4> SourceFilters = {{
    {u"Texte (séparateur : tabulation) (*.txt)", u"*.txt"},
    {u"Fichier CSV (*.csv)", u"*.csv"},
    {u"Classeur (*.xlsx;*.xlsm;*.ods)", u"*.xlsx;*.xlsm;*.ods"},
    AllFilesFilter(System),
}};

inline constexpr TPickerFilter DestinationFilters[] = {
    {u"Fichier HTML (*.htm ; *.html ; *.xhtml)", u"*.htm;*.html;*.xhtml"},
};

// The pickers go by the names of the window's members that hold them, OpenDialog and SaveDialog.
// Only the source picker offers every file, and so differs from one system to the other.
constexpr TPickerSetup OpenPickerSetup(TFileSystem system)
{
    const std::span<const TPickerFilter> filters = system == TFileSystem::Windows
                                                       ? SourceFilters<TFileSystem::Windows>
                                                       : SourceFilters<TFileSystem::Posix>;
    return {"OpenDialog", TPickerKind::Open, u"Sélection du fichier source", filters, u"txt"};
}

inline constexpr TPickerSetup SavePickerSetup = {
    "SaveDialog", TPickerKind::Save, u"Sélection du fichier destination", DestinationFilters,
    u"html"};

// The file-name buffer of the Windows pickers, its terminating zero included: a longer name
// is never returned.
inline constexpr std::size_t PickerBufferLength = 260;

inline bool FitsPickerBuffer(std::u16string_view name)
{
    return name.size() < PickerBufferLength;
}

}  // namespace tabulor

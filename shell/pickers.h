// The two file pickers of the main window, as every platform's file dialog is set up from them.
#pragma once

#include <cstddef>
#include <string_view>

namespace tabulor {

enum class TPickerKind { Open, Save };

struct TPickerSetup {
    std::string_view Name;
    TPickerKind Kind;
    std::u16string_view Title;
    // The one filter entry: its description and its patterns, separated by semicolons.
    std::u16string_view FilterDescription;
    std::u16string_view FilterPatterns;
    // Appended by the dialog to a typed name that has no extension.
    std::u16string_view DefaultExtension;
};

inline constexpr TPickerSetup OpenPickerSetup = {
    "OpenDialog", TPickerKind::Open, u"Sélection du fichier source",
    u"Texte (séparateur : tabulation) (*.txt)", u"*.txt", u"txt"};

inline constexpr TPickerSetup SavePickerSetup = {
    "SaveDialog", TPickerKind::Save, u"Sélection du fichier destination",
    u"Fichier HTML (*.htm ; *.html ; *.xhtml)", u"*.htm;*.html;*.xhtml", u"html"};

// The file-name buffer of the Windows dialogs, its terminating zero included: a longer name
// is never returned.
inline constexpr std::size_t PickerBufferLength = 260;

inline bool FitsPickerBuffer(std::u16string_view name)
{
    return name.size() < PickerBufferLength;
}

}  // namespace tabulor

// File names as the window handles them.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tabulor {

// Whose rules a name follows: Windows', or those of the POSIX systems, where a backslash and a
// colon are characters of a name like any other. Each front end gives its platform's.
enum class TFileSystem { Windows, Posix };

// name's last extension, its full stop included; empty for a name that has none (below).
std::u16string_view ExtractFileExt(std::u16string_view name, TFileSystem system);

// name with its last extension replaced by newExtension. The extension runs from the last full
// stop to the end, unless a folder separator (or, on Windows, a drive colon) comes after that
// full stop, in which case the name has none and newExtension is appended.
std::u16string ChangeFileExt(std::u16string_view name, std::u16string_view newExtension, TFileSystem system);

// What a chosen source sets: the source field, and the destination derived from it, which
// replaces whatever the destination field held. A pick, a drop on the window and a file named
// on the command line all choose a source this way.
struct TFileFields {
    std::u16string SourceFileName;
    std::u16string DestFileName;
};
TFileFields SourceChosen(std::u16string_view sourceFileName, TFileSystem system);

// What a file dropped on the window sets: dropped on the destination field, that field alone;
// anywhere else, it is a chosen source. The pickers do not learn of it.
TFileFields FileDropped(const TFileFields& current, std::u16string_view name, bool onDestinationField,
                        TFileSystem system);

// The one file that a drop or the command line hands over, made absolute against the current
// folder; none when there are no names or several, which the window ignores.
std::optional<std::u16string> SingleFileName(std::span<const std::u16string> names);

// A name typed or picked in the window, as the file system reads it: wide on Windows, UTF-8
// elsewhere.
std::filesystem::path ToPath(std::u16string_view name);

}  // namespace tabulor

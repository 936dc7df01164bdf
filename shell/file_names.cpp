#include "shell/file_names.h"

#include <system_error>

namespace tabulor {
namespace {

// The characters that end a search for an extension: the full stop that starts one, and the
// characters after which a name's last part begins.
constexpr std::u16string_view NameDelimiters(TFileSystem system)
{
    return system == TFileSystem::Windows ? u".\\/:" : u"./";
}

}  // namespace

std::u16string_view ExtractFileExt(std::u16string_view name, TFileSystem system)
{
    const std::size_t delimiter = name.find_last_of(NameDelimiters(system));
    if (delimiter == std::u16string_view::npos || name[delimiter] != u'.')
        return {};
    return name.substr(delimiter);
}

std::u16string ChangeFileExt(std::u16string_view name, std::u16string_view newExtension, TFileSystem system)
{
    const std::u16string_view stem = name.substr(0, name.size() - ExtractFileExt(name, system).size());
    return std::u16string(stem).append(newExtension);
}

TFileFields SourceChosen(std::u16string_view sourceFileName, TFileSystem system)
{
    return {std::u16string(sourceFileName), ChangeFileExt(sourceFileName, u".html", system)};
}

TFileFields FileDropped(const TFileFields& current, std::u16string_view name, bool onDestinationField,
                        TFileSystem system)
{
    if (onDestinationField)
        return {current.SourceFileName, std::u16string(name)};
    return SourceChosen(name, system);
}

std::optional<std::u16string> SingleFileName(std::span<const std::u16string> names)
{
    if (names.size() != 1 || names.front().empty())
        return std::nullopt;
    // Where the current folder is gone, the name stays as given: the run reports what it cannot
    // open.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(ToPath(names.front()), error);
    return error ? names.front() : absolute.u16string();
}

std::filesystem::path ToPath(std::u16string_view name)
{
    return std::filesystem::path(name);
}

}  // namespace tabulor

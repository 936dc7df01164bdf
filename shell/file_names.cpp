#include "shell/file_names.h"

#include <system_error>

namespace tabulor {

std::u16string_view ExtractFileExt(std::u16string_view name, std::u16string_view delimiters)
{
    const std::size_t delimiter = name.find_last_of(delimiters);
    if (delimiter == std::u16string_view::npos || name[delimiter] != u'.')
        return {};
    return name.substr(delimiter);
}

std::u16string ChangeFileExt(std::u16string_view name, std::u16string_view newExtension,
                             std::u16string_view delimiters)
{
    const std::u16string_view stem = name.substr(0, name.size() - ExtractFileExt(name, delimiters).size());
    return std::u16string(stem).append(newExtension);
}

TFileFields SourceChosen(std::u16string_view sourceFileName)
{
    return {std::u16string(sourceFileName), ChangeFileExt(sourceFileName, u".html")};
}

TFileFields FileDropped(const TFileFields& current, std::u16string_view name, bool onDestinationField)
{
    if (onDestinationField)
        return {current.SourceFileName, std::u16string(name)};
    return SourceChosen(name);
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

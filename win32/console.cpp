#include "win32/console.h"

#include <shellapi.h>

#include <algorithm>

#include "shell/text.h"
#include "win32/handles.h"
#include "win32/wide.h"

namespace tabulor {
namespace {

bool IsBlank(wchar_t character)
{
    return character == L' ' || character == L'\t';
}

// Where a name's last part starts, after its folder part.
std::size_t LastPartStart(std::u16string_view name)
{
    const std::size_t folderEnd = name.find_last_of(u"\\/:");
    return folderEnd == name.npos ? 0 : folderEnd + 1;
}

bool HasWildcard(std::u16string_view name)
{
    return name.find_first_of(u"*?", LastPartStart(name)) != name.npos;
}

// Windows' own order of names in a folder listing, which does not tell "B" from "b".
bool ComesBefore(const std::u16string& left, const std::u16string& right)
{
    return CompareStringOrdinal(ToWide(left).c_str(), -1, ToWide(right).c_str(), -1, TRUE) == CSTR_LESS_THAN;
}

const std::u16string CurrentFolder = u".\\";

std::vector<std::u16string> Matches(const std::u16string& pattern)
{
    const std::u16string folder = pattern.substr(0, LastPartStart(pattern));
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found;
    const HANDLE first = FindFirstFileExW(ToWide(pattern).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                          nullptr, 0);
    if (first == INVALID_HANDLE_VALUE)
        return names;
    const TFindHandle search(first);
    do {
        const std::u16string name = FromWide(found.cFileName);
        // A name that starts as an option does would be read as one.
        const std::u16string& before = folder.empty() && name.starts_with(u'-') ? CurrentFolder : folder;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(before + name);
    } while (FindNextFileW(search.get(), &found));
    std::ranges::sort(names, ComesBefore);
    return names;
}

}  // namespace

std::vector<std::u16string> CommandLineArguments()
{
    int count = 0;
    const TArgumentList list(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::u16string> arguments;
    for (int i = 1; list && i < count; ++i)
        arguments.push_back(FromWide(list.get()[i]));
    return arguments;
}

// The program's name ends, as CommandLineToArgvW reads it, at its closing quote when it starts
// with one, and at the first blank otherwise: quotes inside it have no other meaning.
std::wstring_view CommandLineTail(std::wstring_view commandLine)
{
    std::size_t end = 0;
    if (commandLine.starts_with(L'"')) {
        end = commandLine.find(L'"', 1);
        end = end == commandLine.npos ? commandLine.size() : end + 1;
    }
    while (end < commandLine.size() && !IsBlank(commandLine[end]))
        ++end;
    while (end < commandLine.size() && IsBlank(commandLine[end]))
        ++end;
    return commandLine.substr(end);
}

std::vector<std::u16string> ExpandWildcards(std::span<const std::u16string> names)
{
    std::vector<std::u16string> expanded;
    for (const std::u16string& name : names) {
        std::vector<std::u16string> matches = HasWildcard(name) ? Matches(name) : std::vector<std::u16string>();
        if (matches.empty())
            expanded.push_back(name);
        else
            expanded.insert(expanded.end(), matches.begin(), matches.end());
    }
    return expanded;
}

// Each pattern among the sources is replaced where it stands by its files, and the arguments are
// read again, so that the checks of the destinations (-o with one source, no two alike) see every
// file, and none sees a pattern.
TCommandLine ReadCommandLine()
{
    const std::vector<std::u16string> arguments = CommandLineArguments();
    const std::vector<std::size_t> sources = SourceArguments(arguments, TOptionStyle::Windows);
    std::vector<std::u16string> expanded;
    auto source = sources.begin();
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        if (source != sources.end() && *source == at) {
            ++source;
            const std::vector<std::u16string> names = ExpandWildcards(std::span(&arguments[at], 1));
            expanded.insert(expanded.end(), names.begin(), names.end());
        } else {
            expanded.push_back(arguments[at]);
        }
    }
    return ParseCommandLine(expanded, TOptionStyle::Windows);
}

bool WriteLines(HANDLE handle, std::u16string_view lines)
{
    std::wstring text;
    for (const char16_t character : lines) {
        if (character == u'\n')
            text += L'\r';
        text += static_cast<wchar_t>(character);
    }
    text += L"\r\n";
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode))
        return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)
               && written == text.size();
    const std::string bytes = ToUtf8(FromWide(text));
    return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)
           && written == bytes.size();
}

}  // namespace tabulor

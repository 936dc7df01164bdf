#include "shell/command_line.h"

#include <map>
#include <utility>

#include "shell/command_options.h"
#include "shell/command_usage.h"
#include "shell/text.h"

namespace tabulor {
namespace {

bool IsWindows(TOptionStyle style)
{
    return style == TOptionStyle::Windows;
}

bool IsOption(std::u16string_view argument, TOptionStyle style)
{
    return argument.starts_with(u'-') || (IsWindows(style) && argument.starts_with(u'/'));
}

bool IsHelp(std::u16string_view option, TOptionStyle style)
{
    return option == u"-h" || option == u"--help" || (IsWindows(style) && option == u"/?");
}

std::optional<TCommandAction> ModeOf(std::u16string_view option)
{
    if (option == u"-c" || option == u"--convertir")
        return TCommandAction::Convert;
    if (option == u"-l" || option == u"--feuilles")
        return TCommandAction::ListSheets;
    return std::nullopt;
}

TFileSystem FileSystemOf(TOptionStyle style)
{
    return IsWindows(style) ? TFileSystem::Windows : TFileSystem::Posix;
}

std::u16string Quoted(std::u16string_view text)
{
    return u"«\u00a0" + std::u16string(text) + u"\u00a0»";
}

// Help, version or an error: a text to show, and nothing to open.
TCommandLine Answer(TCommandAction action, std::u16string message)
{
    TCommandLine command;
    command.Action = action;
    command.Message = std::move(message);
    return command;
}

// A terminal's user reads the problem and the synopsis, and asks for the usage; a box shows the
// usage whole, after the problem made a sentence of its own.
TCommandLine Misuse(std::u16string problem, TOptionStyle style)
{
    if (IsWindows(style)) {
        if (problem.front() >= u'a' && problem.front() <= u'z')
            problem.front() = char16_t(problem.front() - (u'a' - u'A'));
        return Answer(TCommandAction::Error, problem + u"\n\n" + Usage(style));
    }
    return Answer(TCommandAction::Error, std::u16string(CommandMessagePrefix) + problem + u"\n" + Synopsis()
                                             + u"\nSaisissez «\u00a0tabulor --help\u00a0» pour plus d'informations.");
}

// The key under which a name's file is compared with others: made absolute and normal, and on
// Windows in small letters (those of ASCII and Latin-1, which its file systems fold alike).
std::u16string PathKey(std::u16string_view name, TFileSystem system)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(ToPath(name), error);
    const std::u16string key = (error ? ToPath(name) : absolute).lexically_normal().u16string();
    return system == TFileSystem::Windows ? ToLowerLatin1(key) : key;
}

// Two sources written to one file, or a source overwritten by a destination, would lose a file
// the user still needs: the first such meeting, as the error tells it.
std::optional<std::u16string> DestinationClash(const TCommandLine& command, TFileSystem system)
{
    std::map<std::u16string, const std::u16string*> sources;
    for (const std::u16string& source : command.FileNames)
        sources.emplace(PathKey(source, system), &source);
    std::map<std::u16string, const std::u16string*> destinations;
    for (const std::u16string& source : command.FileNames) {
        const std::optional<std::u16string> destination = CommandDestination(command, source, system);
        if (!destination)
            continue;
        const std::u16string key = PathKey(*destination, system);
        if (const auto overwritten = sources.find(key); overwritten != sources.end())
            return u"la conversion de " + Quoted(source) + u" remplacerait la source " + Quoted(*overwritten->second);
        if (const auto [other, added] = destinations.emplace(key, &source); !added)
            return Quoted(*other->second) + u" et " + Quoted(source) + u" seraient convertis dans le même fichier "
                   + Quoted(*destination);
    }
    return std::nullopt;
}

// What the whole line asks, once each argument is read.
TCommandLine Checked(TCommandLine command, std::u16string_view conversionOption, TOptionStyle style)
{
    const bool converts = command.Action == TCommandAction::Convert;
    if (!conversionOption.empty() && !converts)
        return Misuse(u"l'option " + Quoted(conversionOption) + u" ne vaut qu'avec «\u00a0-c\u00a0»", style);
    if (command.Action == TCommandAction::Open)
        return command;
    if (command.FileNames.empty())
        return Misuse(converts ? u"aucune source à convertir" : u"aucun classeur dont lister les feuilles", style);
    if (command.OutputName && command.FileNames.size() > 1)
        return Misuse(u"l'option «\u00a0-o\u00a0» ne vaut que pour une seule source", style);
    if (const std::optional<std::u16string> clash = converts ? DestinationClash(command, FileSystemOf(style))
                                                             : std::nullopt)
        return Misuse(*clash, style);
    return command;
}

// The arguments read one by one: the command they make before its checks, the first conversion
// option met, and where the names stand; or, at the first help, version or misuse, the answer.
struct TReading {
    TCommandLine Command;
    std::u16string_view ConversionOption;
    std::vector<std::size_t> Names;
    std::optional<TCommandLine> Answer;
};

TReading ReadArguments(std::span<const std::u16string> arguments, TOptionStyle style)
{
    TReading reading;
    TCommandLine& command = reading.Command;
    std::u16string_view modeOption;
    bool optionsEnded = false;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::u16string_view name = arguments[at];
        if (optionsEnded || !IsOption(name, style)) {
            command.FileNames.push_back(arguments[at]);
            reading.Names.push_back(at);
        } else if (name == u"--") {
            optionsEnded = true;
        } else if (IsHelp(name, style)) {
            reading.Answer = Answer(TCommandAction::Help, Usage(style));
        } else if (name == u"--version") {
            reading.Answer = Answer(TCommandAction::Version, u"tabulor " TABULOR_VERSION);
        } else if (const std::optional<TCommandAction> mode = ModeOf(name)) {
            if (!modeOption.empty() && *mode != command.Action)
                reading.Answer =
                    Misuse(u"les options " + Quoted(modeOption) + u" et " + Quoted(name) + u" s'excluent", style);
            command.Action = *mode;
            modeOption = name;
        } else if (const TCommandOption* option = FindConversionOption(name)) {
            const bool takesValue = !option->ValueName.empty();
            if (takesValue && at + 1 == arguments.size()) {
                reading.Answer = Misuse(u"valeur manquante après l'option " + Quoted(name), style);
                break;
            }
            const std::u16string_view value = takesValue ? std::u16string_view(arguments[++at]) : std::u16string_view();
            if (const std::optional<std::u16string> expected = option->Set(command, value))
                reading.Answer =
                    Misuse(u"l'option " + Quoted(name) + u" attend " + *expected + u", pas " + Quoted(value), style);
            if (reading.ConversionOption.empty())
                reading.ConversionOption = name;
        } else {
            reading.Answer = Misuse(u"option inconnue " + Quoted(name), style);
        }
        if (reading.Answer)
            break;
    }
    return reading;
}

}  // namespace

TCommandLine ParseCommandLine(std::span<const std::u16string> arguments, TOptionStyle style)
{
    TReading reading = ReadArguments(arguments, style);
    if (reading.Answer)
        return std::move(*reading.Answer);
    return Checked(std::move(reading.Command), reading.ConversionOption, style);
}

std::vector<std::size_t> SourceArguments(std::span<const std::u16string> arguments, TOptionStyle style)
{
    const TReading reading = ReadArguments(arguments, style);
    const TCommandAction action = reading.Command.Action;
    if (reading.Answer || (action != TCommandAction::Convert && action != TCommandAction::ListSheets))
        return {};
    return reading.Names;
}

std::optional<std::u16string> CommandDestination(const TCommandLine& command, std::u16string_view source,
                                                 TFileSystem system)
{
    if (!command.OutputName)
        return SourceChosen(source, system).DestFileName;
    if (*command.OutputName == u"-")
        return std::nullopt;
    return command.OutputName;
}

int ExitCodeFor(TCommandAction action)
{
    constexpr int misuse = 2;
    return action == TCommandAction::Error ? misuse : 0;
}

}  // namespace tabulor

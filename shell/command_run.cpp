#include "shell/command_run.h"

#include <exception>
#include <string>

#include "core/file_errors.h"
#include "core/file_io.h"
#include "shell/messages.h"
#include "shell/sheet_list.h"
#include "shell/text.h"
#include "workbook/workbook.h"
#include "workbook/workbook_fault.h"

namespace tabulor {
namespace {

// Each line of text on its own, split at "\n".
void ForEachLine(std::u16string_view text, const std::function<void(std::u16string_view line)>& write)
{
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(u'\n', start), text.size());
        write(text.substr(start, end - start));
        start = end + 1;
    }
}

TConversionReport Convert(const TCommandLine& command, std::u16string_view source, const TCommandStreams& streams,
                          TFileSystem system)
{
    TFormFields fields = command.Fields;
    fields.SourceFileName = source;
    const std::optional<std::u16string> destination = CommandDestination(command, source, system);
    if (!destination)
        return RunConversion(MakeConversionSettings(fields), streams.StandardOutput);
    fields.DestFileName = *destination;
    return RunConversion(MakeConversionSettings(fields));
}

// The workbook's sheets as the window's list shows them; throws the core's errors, with their
// texts, for a file that cannot be read or is no workbook.
TSheetList SheetsOf(std::u16string_view workbook)
{
    const std::filesystem::path name = ToPath(workbook);
    const TFileContents contents = ReadWholeFile(name);
    // The workbook layer tells a text (Invalid) and a compound file (Unsupported) itself.
    try {
        return MakeSheetList(ListSheets(contents.View()), {});
    } catch (const EWorkbookFault& fault) {
        ThrowWorkbookError(name, fault);
    }
}

// With several workbooks, each list follows its workbook's name, a blank line between lists.
void ListSheetsOf(std::u16string_view workbook, bool several, bool first, const TCommandStreams& streams)
{
    const TSheetList sheets = SheetsOf(workbook);
    const auto print = [&streams](std::u16string_view line) {
        if (!streams.Output(line))
            ThrowWriteError();
    };
    if (several) {
        if (!first)
            print({});
        print(std::u16string(workbook) + u"\u00a0:");
    }
    for (const TSheetChoice& choice : sheets.Choices)
        print(choice.Entry);
}

}  // namespace

int RunCommand(const TCommandLine& command, const TCommandStreams& streams, TFileSystem system)
{
    const bool several = command.FileNames.size() > 1;
    bool failed = false;
    bool first = true;
    for (const std::u16string& name : command.FileNames) {
        const std::u16string prefix =
            std::u16string(CommandMessagePrefix) + (several ? name + u"\u00a0: " : std::u16string());
        const auto tell = [&](std::u16string_view line) { streams.Error(prefix + std::u16string(line)); };
        try {
            if (command.Action == TCommandAction::ListSheets) {
                ListSheetsOf(name, several, first, streams);
                first = false;
            } else {
                const std::u16string lines = NoticeLines(Convert(command, name, streams, system));
                if (!lines.empty())
                    ForEachLine(lines, tell);
            }
        } catch (const std::exception& error) {
            tell(WithFinalFullStop(FromUtf8(error.what())));
            failed = true;
        }
    }
    return failed ? 1 : 0;
}

}  // namespace tabulor

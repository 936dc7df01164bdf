#include "file_errors.h"

#include <algorithm>
#include <initializer_list>

#include "resources/string_table.h"
#include "workbook/workbook_fault.h"

namespace tabulor {

std::string FillMessage(std::string_view format, std::initializer_list<std::string_view> arguments)
{
    std::string text;
    std::size_t from = 0;
    for (const std::string_view argument : arguments) {
        const std::size_t at = std::min(format.find("%s", from), format.find("%d", from));
        if (at == std::string_view::npos)
            break;
        text.append(format.substr(from, at - from)).append(argument);
        from = at + 2;
    }
    return text.append(format.substr(from));
}

namespace {

std::string TrimSystemText(std::string_view text)
{
    std::size_t size = text.size();
    while (size > 0) {
        const auto last = static_cast<unsigned char>(text[size - 1]);
        if (last > ' ' && last != '.' && last != 0x7F)
            break;
        --size;
    }
    return std::string(text.substr(0, size));
}

}  // namespace

std::string FOpenErrorMessage(std::string_view fullPath, std::string_view systemText)
{
    return FillMessage(strings::SFOpenError, {fullPath, TrimSystemText(systemText)});
}

std::string FCreateErrorMessage(std::string_view fullPath, std::string_view systemText)
{
    return FillMessage(strings::SFCreateError, {fullPath, TrimSystemText(systemText)});
}

std::string SourceTextErrorMessage(std::string_view fullPath, const ETextFault& fault)
{
    const std::string line = std::to_string(fault.Line);
    if (fault.Kind == ETextFault::TKind::UnclosedQuote)
        return FillMessage(strings::SUnclosedQuote, {fullPath, line});
    return FillMessage(strings::SMalformedText, {fullPath, EncodingName(fault.Encoding), line});
}

std::string WorkbookErrorMessage(std::string_view fullPath, const EWorkbookFault& fault)
{
    switch (fault.Kind) {
    case EWorkbookFault::TKind::Unsupported:
        return FillMessage(strings::SUnsupportedWorkbook, {fullPath});
    case EWorkbookFault::TKind::MissingSheet:
        return FillMessage(strings::SMissingSheet, {fullPath, fault.Sheet});
    case EWorkbookFault::TKind::TooLarge:
        return FillMessage(strings::STooLargeSheet,
                           {fault.Sheet, std::to_string(fault.Rows), std::to_string(fault.Cols)});
    case EWorkbookFault::TKind::Invalid:
        break;
    }
    return FillMessage(strings::SInvalidWorkbook, {fullPath});
}

void ThrowWriteError()
{
    throw EWriteError(std::string(strings::SWriteError));
}

}  // namespace tabulor

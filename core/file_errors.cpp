#include "file_errors.h"

#include "resources/string_table.h"

namespace tabulor {

namespace {

// Fills the two "%s" of a message in order; a "%s" inside the path stays as it is. Built by
// appending, which also spares GCC 12 a false -Wrestrict alarm on std::string::replace.
std::string FormatFileMessage(std::string_view format, std::string_view fullPath,
                              std::string_view systemText)
{
    std::string text;
    std::size_t from = 0;
    for (const std::string_view argument : {fullPath, systemText}) {
        const std::size_t at = format.find("%s", from);
        if (at == std::string_view::npos)
            break;
        text.append(format.substr(from, at - from)).append(argument);
        from = at + 2;
    }
    return text.append(format.substr(from));
}

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

void ThrowFOpenError(std::string_view fullPath, std::string_view systemText)
{
    throw EFOpenError(FormatFileMessage(strings::SFOpenError, fullPath, TrimSystemText(systemText)));
}

void ThrowFCreateError(std::string_view fullPath, std::string_view systemText)
{
    throw EFCreateError(FormatFileMessage(strings::SFCreateError, fullPath, TrimSystemText(systemText)));
}

void ThrowWriteError()
{
    throw EWriteError(std::string(strings::SWriteError));
}

}  // namespace tabulor

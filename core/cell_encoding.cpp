#include "cell_encoding.h"

namespace tabulor {

std::string EncodeCellText(std::string_view field, std::string_view emptyCellText)
{
    if (field.empty())
        return std::string(emptyCellText);
    std::string result;
    result.reserve(field.size());
    for (const char byte : field) {
        const std::string_view replacement = ByteReplacement(static_cast<unsigned char>(byte));
        if (replacement.empty())
            result += byte;
        else
            result += replacement;
    }
    return result;
}

}  // namespace tabulor

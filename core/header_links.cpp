#include "header_links.h"

#include <charconv>

#include "cell_markup.h"
#include "utf8.h"

namespace tabulor {

bool IsBlankText(std::string_view text, bool utf8)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte == ' ' || byte == '\t')
            continue;
        if (!utf8 && byte == 0xA0)
            continue;
        if (utf8 && byte == 0xC2 && at + 1 < text.size() && static_cast<unsigned char>(text[at + 1]) == 0xA0) {
            ++at;
            continue;
        }
        return false;
    }
    return true;
}

std::string IdStemOf(const std::filesystem::path& destination)
{
    const std::u8string name = destination.stem().u8string();
    const std::string_view bytes(reinterpret_cast<const char*>(name.data()), name.size());
    std::string stem;
    for (std::size_t at = 0; at < bytes.size();) {
        const char byte = bytes[at];
        const bool letter = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
        const bool kept = letter || (byte >= '0' && byte <= '9') || byte == '-' || byte == '_';
        if (stem.empty() && !letter)
            stem += 't';
        stem += kept ? byte : '-';
        // A character of several bytes is one character: one dash.
        DecodeUtf8(bytes, at);
    }
    return stem.empty() ? std::string(DefaultIdStem) : stem;
}

void THeaderColumns::Add(std::size_t col, bool header, bool belowHeaderRows)
{
    if (col >= Columns.size())
        Columns.resize(col + 1);
    TColumn& column = Columns[col];
    if (!header) {
        column.BlankSince = column.HeadAbove;
        return;
    }
    if (!belowHeaderRows) {
        column.HeadAbove = true;
        column.BlankSince = false;
        return;
    }
    Gap = Gap || column.BlankSince;
    Holding += column.Holds ? 0 : 1;
    column.Holds = true;
}

void AppendId(std::string& text, std::string_view stem, THeaderPlace place)
{
    char number[24];
    text += stem;
    text += '-';
    text.append(number, std::to_chars(number, number + sizeof number, place.Row + std::uint64_t{1}).ptr);
    text += '-';
    text.append(number, std::to_chars(number, number + sizeof number, place.Col + std::uint64_t{1}).ptr);
}

void AppendIdAttribute(std::string& text, std::string_view stem, THeaderPlace place)
{
    text += " id=\"";
    AppendId(text, stem, place);
    text += '"';
}

void AppendScopeAttribute(std::string& text, bool columnHeader)
{
    text += columnHeader ? " scope=\"col\"" : " scope=\"row\"";
}

void AppendHeadersAttribute(std::string& text, std::string_view stem, std::span<const THeaderPlace> places)
{
    if (places.empty())
        return;
    text += " headers=\"";
    for (std::size_t index = 0; index < places.size(); ++index) {
        if (index != 0)
            text += ' ';
        AppendId(text, stem, places[index]);
    }
    text += '"';
}

}  // namespace tabulor

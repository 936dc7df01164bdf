// The row splitter on any bytes. Between tabs, where each row is a line: the lines rejoin with
// their line ends into the text, hold no CR or LF, and iterate the same way however often and
// however copied. Between semicolons or commas: the rows rejoin into the text too, a row holds a
// line end only inside a quoted field, a text without quotes is cut as between tabs, and a quoted
// field still open is reported on a line the text has.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <vector>

#include "core/file_errors.h"
#include "core/source_rows.h"
#include "properties.h"

namespace {

using tabulor::TSourceRows;
using tabulor::fuzz::Require;

std::vector<std::string_view> Collect(const TSourceRows& source)
{
    std::vector<std::string_view> rows;
    for (const std::string_view row : source)
        rows.push_back(row);
    return rows;
}

// A line ends at the longest of CR LF, CR and LF that follows it, or at the end of the text; a
// line end at the very end starts no further line.
void CheckRejoin(std::string_view text, const std::vector<std::string_view>& lines, bool quoted = false)
{
    std::size_t at = 0;
    for (const std::string_view line : lines) {
        Require(at < text.size(), "a line starts before the end of the text", text.substr(at));
        Require(quoted || line.find_first_of("\r\n") == std::string_view::npos, "a line holds no CR or LF", line);
        Require(text.substr(at, line.size()) == line, "the lines are the text's bytes, in order", line);
        at += line.size();
        const std::size_t lineEnd = at;
        if (at < text.size() && text[at] == '\r')
            ++at;
        if (at < text.size() && text[at] == '\n')
            ++at;
        Require(at > lineEnd || at == text.size(), "a line stops only at a line end or the end",
                text.substr(lineEnd));
    }
    Require(at == text.size(), "the lines and their ends rejoin into the text", text.substr(at));
}

void CheckIteration(const TSourceRows& source, const std::vector<std::string_view>& lines)
{
    Require(Collect(source) == lines, "the lines come out the same on a second pass");
    Require(static_cast<std::size_t>(std::distance(source.begin(), source.end())) == lines.size(),
            "std::distance counts the lines");
    Require((source.begin() == source.end()) == lines.empty(), "begin is end exactly without lines");
    auto it = source.begin();
    const auto first = it;
    for (const std::string_view line : lines) {
        Require(it != source.end(), "the iterator reaches the end after the last line only", line);
        const auto before = it++;
        Require(*before == line, "post-increment yields the line it stood on", *before);
    }
    Require(it == source.end(), "the iterator is at the end after the last line");
    if (!lines.empty())
        Require(*first == lines.front(), "a copy of an iterator stays where it was", *first);
}

// A line end inside a row stands between the quotes of a field that opens where a field begins.
void CheckQuotedLineEnds(std::string_view row, char separator)
{
    std::size_t at = 0;
    while (at < row.size()) {
        if (row[at] == '"') {
            const std::size_t fieldEnd = tabulor::QuotedFieldEnd(row, at);
            Require(fieldEnd != std::string_view::npos, "a quoted field closes within its row", row.substr(at));
            at = fieldEnd;
        }
        const std::size_t next = row.find_first_of(std::string{separator, '\r', '\n'}, at);
        if (next == std::string_view::npos)
            return;
        Require(row[next] == separator, "a row's line ends are inside quoted fields", row.substr(next));
        at = next + 1;
    }
}

void CheckCsvRows(std::string_view text, tabulor::TFieldSeparator separator, const std::vector<std::string_view>& lines)
{
    try {
        const std::vector<std::string_view> rows = Collect(TSourceRows(text, separator));
        CheckRejoin(text, rows, true);
        for (const std::string_view row : rows)
            CheckQuotedLineEnds(row, tabulor::SeparatorByte(separator));
        if (text.find('"') == std::string_view::npos)
            Require(rows == lines, "without quotes the rows are the lines", text);
    } catch (const tabulor::ETextFault& fault) {
        Require(text.find('"') != std::string_view::npos, "only a quote leaves a field open", text);
        Require(fault.Line >= 1 && fault.Line <= std::max<std::size_t>(lines.size(), 1),
                "an open field begins on a line of the text", text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const tabulor::fuzz::TExactCopy input(std::string_view(reinterpret_cast<const char*>(data), size));
    const TSourceRows source(input.View());
    const std::vector<std::string_view> lines = Collect(source);
    CheckRejoin(input.View(), lines);
    CheckIteration(source, lines);
    CheckCsvRows(input.View(), tabulor::TFieldSeparator::Semicolon, lines);
    CheckCsvRows(input.View(), tabulor::TFieldSeparator::Comma, lines);
    return 0;
}

// The line splitter on any bytes: the lines rejoin with their line ends into the text before its
// first NUL, hold no CR, LF or NUL, and iterate the same way however often and however copied.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <vector>

#include "core/source_lines.h"
#include "properties.h"

namespace {

using tabulor::TSourceLines;
using tabulor::fuzz::Require;

std::vector<std::string_view> Collect(const TSourceLines& source)
{
    std::vector<std::string_view> lines;
    for (const std::string_view line : source)
        lines.push_back(line);
    return lines;
}

// A line ends at the longest of CR LF, CR and LF that follows it, or at the end of the text; a
// line end at the very end starts no further line.
void CheckRejoin(std::string_view text, const std::vector<std::string_view>& lines)
{
    std::size_t at = 0;
    for (const std::string_view line : lines) {
        Require(at < text.size(), "a line starts before the end of the text", text.substr(at));
        Require(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos,
                "a line holds no CR, LF or NUL", line);
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
    Require(at == text.size(), "the lines and their ends rejoin into the text before its first NUL",
            text.substr(at));
}

void CheckIteration(const TSourceLines& source, const std::vector<std::string_view>& lines)
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const TSourceLines source(input);
    const std::vector<std::string_view> lines = Collect(source);
    const std::string_view text = input.substr(0, input.find('\0'));
    CheckRejoin(text, lines);
    const tabulor::fuzz::TExactCopy beforeNul(text);
    Require(Collect(TSourceLines(beforeNul.View())) == lines,
            "the first NUL ends the text: what follows it changes nothing");
    CheckIteration(source, lines);
    return 0;
}

#include "source_lines.h"

#include <algorithm>
#include <cstring>

namespace tabulor {

namespace {

const char* FindByte(const char* from, const char* end, char byte)
{
    const void* hit = std::memchr(from, byte, static_cast<std::size_t>(end - from));
    return hit != nullptr ? static_cast<const char*>(hit) : end;
}

}  // namespace

TSourceLines::TSourceLines(std::string_view text)
    : Text(text.substr(0, std::min(text.size(), text.find('\0'))))
{
}

TSourceLines::TIterator TSourceLines::begin() const
{
    return TIterator(Text.data(), Text.data() + Text.size());
}

TSourceLines::TIterator::TIterator(const char* begin, const char* end)
    : Next(begin), End(end), AtEnd(false)
{
    ReadLine();
}

void TSourceLines::TIterator::ReadLine()
{
    if (Next == End) {
        *this = TIterator();
        return;
    }
    if (NextCr == nullptr || NextCr < Next)
        NextCr = FindByte(Next, End, '\r');
    if (NextLf == nullptr || NextLf < Next)
        NextLf = FindByte(Next, End, '\n');
    const char* lineEnd = std::min(NextCr, NextLf);
    Line = std::string_view(Next, static_cast<std::size_t>(lineEnd - Next));
    Next = lineEnd;
    if (Next != End && *Next == '\r')
        ++Next;
    if (Next != End && *Next == '\n')
        ++Next;
}

TSourceLines::TIterator& TSourceLines::TIterator::operator++()
{
    ReadLine();
    return *this;
}

TSourceLines::TIterator TSourceLines::TIterator::operator++(int)
{
    TIterator before = *this;
    ReadLine();
    return before;
}

}  // namespace tabulor

#include "source_lines.h"

#include <algorithm>
#include <cstring>

#include "file_errors.h"

namespace tabulor {

namespace {

const char* FindByte(const char* from, const char* end, char byte)
{
    const void* hit = std::memchr(from, byte, static_cast<std::size_t>(end - from));
    return hit != nullptr ? static_cast<const char*>(hit) : end;
}

// Moves a cached position up to the next byte at or after from, where it lies before it.
void Refresh(const char*& cached, const char* from, const char* end, char byte)
{
    if (cached == nullptr || cached < from)
        cached = FindByte(from, end, byte);
}

}  // namespace

TSourceLines::TSourceLines(std::string_view text, TFieldSeparator separator)
    : Text(text), Separator(separator)
{
}

TSourceLines::TIterator TSourceLines::begin() const
{
    return TIterator(Text, Separator);
}

TSourceLines::TIterator::TIterator(std::string_view text, TFieldSeparator separator)
    : Begin(text.data()), Next(text.data()), End(text.data() + text.size()),
      Separator(SeparatorByte(separator)), Quoted(separator != fsTab), AtEnd(false)
{
    ReadLine();
}

void TSourceLines::TIterator::ReadLine()
{
    if (Next == End) {
        *this = TIterator();
        return;
    }
    const char* lineEnd = Quoted ? RowEnd(Next) : NextLineEnd(Next);
    Line = std::string_view(Next, static_cast<std::size_t>(lineEnd - Next));
    Next = lineEnd;
    if (Next != End && *Next == '\r')
        ++Next;
    if (Next != End && *Next == '\n')
        ++Next;
}

const char* TSourceLines::TIterator::NextLineEnd(const char* from)
{
    Refresh(NextCr, from, End, '\r');
    Refresh(NextLf, from, End, '\n');
    return std::min(NextCr, NextLf);
}

// A quote opens a field only where the field begins; any other is text. A quoted field is
// skipped whole, so the quotes seen here all stand outside quoted fields.
const char* TSourceLines::TIterator::RowEnd(const char* from)
{
    const char* scan = from;
    for (;;) {
        const char* lineEnd = NextLineEnd(scan);
        Refresh(NextQuote, scan, End, '"');
        if (NextQuote >= lineEnd)
            return lineEnd;
        const char* quote = NextQuote;
        if (quote != from && quote[-1] != Separator) {
            NextQuote = FindByte(quote + 1, End, '"');
            continue;
        }
        const std::string_view text(Begin, static_cast<std::size_t>(End - Begin));
        const std::size_t opening = static_cast<std::size_t>(quote - Begin);
        const std::size_t fieldEnd = QuotedFieldEnd(text, opening);
        if (fieldEnd == std::string_view::npos)
            throw ETextFault(ETextFault::UnclosedQuote, LineNumberAt(text, opening));
        scan = Begin + fieldEnd;
    }
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

std::size_t QuotedFieldEnd(std::string_view text, std::size_t opening)
{
    std::size_t from = opening + 1;
    for (;;) {
        const std::size_t quote = text.find('"', from);
        if (quote == std::string_view::npos)
            return quote;
        if (quote + 1 == text.size() || text[quote + 1] != '"')
            return quote + 1;
        from = quote + 2;
    }
}

std::size_t LineNumberAt(std::string_view text, std::size_t offset)
{
    std::size_t line = 1;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++line;
    }
    return line;
}

}  // namespace tabulor

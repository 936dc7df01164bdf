#include "source_rows.h"

#include <bit>
#include <cstddef>

#include "byte_finder.h"

#include "file_errors.h"

namespace tabulor {

const char* PastLineEnd(const char* at, const char* end)
{
    if (at != end && *at == '\r')
        ++at;
    if (at != end && *at == '\n')
        ++at;
    return at;
}

// Sixteen bytes at a time where the processor allows, then a byte at a time.
const char* NextLineEndOrQuote(const char* from, const char* end, bool quotes)
{
#ifdef TABULOR_VECTOR_SCAN
    const TByteFinder<3> stops({'\r', '\n', quotes ? '"' : '\n'});
    for (; end - from >= static_cast<std::ptrdiff_t>(ScanWidth); from += ScanWidth) {
        if (const unsigned found = stops.FindExactly(from); found != 0)
            return from + std::countr_zero(found);
    }
#endif
    for (; from != end; ++from) {
        if (*from == '\r' || *from == '\n' || (quotes && *from == '"'))
            break;
    }
    return from;
}

TSourceRows::TSourceRows(std::string_view text, TFieldSeparator separator)
    : Text(text), Separator(separator)
{
}

TSourceRows::TIterator TSourceRows::begin() const
{
    return TIterator(Text, Separator);
}

TSourceRows::TIterator::TIterator(std::string_view text, TFieldSeparator separator)
    : Begin(text.data()), Next(text.data()), End(text.data() + text.size()),
      Separator(SeparatorByte(separator)), Quoted(separator != TFieldSeparator::Tab), AtEnd(false)
{
    ReadRow();
}

void TSourceRows::TIterator::ReadRow()
{
    if (Next == End) {
        *this = TIterator();
        return;
    }
    const char* lineEnd = RowEnd(Next);
    Row = std::string_view(Next, static_cast<std::size_t>(lineEnd - Next));
    Next = PastLineEnd(lineEnd, End);
}

// A quote opens a field only where the field begins; any other is text. A quoted field is
// skipped whole, so the quotes seen here all stand outside quoted fields.
const char* TSourceRows::TIterator::RowEnd(const char* from)
{
    const char* scan = from;
    for (;;) {
        const char* stop = NextLineEndOrQuote(scan, End, Quoted);
        if (stop == End || *stop != '"')
            return stop;
        if (stop != from && stop[-1] != Separator) {
            scan = stop + 1;
            continue;
        }
        const std::string_view text(Begin, static_cast<std::size_t>(End - Begin));
        const std::size_t opening = static_cast<std::size_t>(stop - Begin);
        const std::size_t fieldEnd = QuotedFieldEnd(text, opening);
        if (fieldEnd == std::string_view::npos)
            throw ETextFault(ETextFault::TKind::UnclosedQuote, LineNumberAt(text, opening));
        scan = Begin + fieldEnd;
    }
}

TSourceRows::TIterator& TSourceRows::TIterator::operator++()
{
    ReadRow();
    return *this;
}

TSourceRows::TIterator TSourceRows::TIterator::operator++(int)
{
    TIterator before = *this;
    ReadRow();
    return before;
}

// Quotes come in runs where the text holds some: the pairs of a run are the text's, and an odd
// one left at its end closes the field.
std::size_t QuotedFieldEnd(std::string_view text, std::size_t opening)
{
    std::size_t from = opening + 1;
    for (;;) {
        const std::size_t quote = text.find('"', from);
        if (quote == std::string_view::npos)
            return quote;
        std::size_t runEnd = quote + 1;
        while (runEnd < text.size() && text[runEnd] == '"')
            ++runEnd;
        if ((runEnd - quote) % 2 != 0)
            return runEnd;
        from = runEnd;
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

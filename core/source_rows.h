// The source text cut into rows, lazily: iterating yields views into the text, so a file of
// many short rows costs no more memory than its bytes.
//
// CR LF, a lone CR and a lone LF each end a row; LF CR ends two. A line end at the very end adds
// no empty row. With a semicolon or a comma between fields, a field that begins with a quote runs
// to its closing quote, and the line ends inside it belong to the field: such a row spans lines.
// A NUL is text like any other here: the source's decoding has refused it already.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

#include "source_format.h"

namespace tabulor {

class TSourceRows {
public:
    // The text must outlive the rows. Throws ETextFault for a quoted field still open at the end.
    explicit TSourceRows(std::string_view text, TFieldSeparator separator = TFieldSeparator::Tab);

    class TIterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string_view*;
        using reference = const std::string_view&;

        TIterator() = default;
        reference operator*() const { return Row; }
        pointer operator->() const { return &Row; }
        TIterator& operator++();
        TIterator operator++(int);
        bool operator==(const TIterator& other) const { return Next == other.Next && AtEnd == other.AtEnd; }
        // Where the row after this one starts: just past this one's line end.
        const char* NextRowStart() const { return Next; }

    private:
        friend class TSourceRows;
        TIterator(std::string_view text, TFieldSeparator separator);
        void ReadRow();
        // The line end that ends the row starting at from: the first one outside quoted fields.
        const char* RowEnd(const char* from);

        const char* Begin = nullptr;
        const char* Next = nullptr;  // first byte after the current row's end
        const char* End = nullptr;
        char Separator = '\t';
        bool Quoted = false;
        std::string_view Row;
        bool AtEnd = true;
    };

    TIterator begin() const;
    TIterator end() const { return TIterator(); }

private:
    std::string_view Text;
    TFieldSeparator Separator;
};

// Where the quoted field whose opening quote is at text[opening] ends: just past its closing
// quote, the first that is not doubled; npos when it is still open at the end of the text.
std::size_t QuotedFieldEnd(std::string_view text, std::size_t opening);

// Just past the line end at at, both bytes of a CR LF; at itself where no line end is there.
const char* PastLineEnd(const char* at, const char* end);

// The first CR or LF at or after from, or quote where quotes count; end where there is none.
const char* NextLineEndOrQuote(const char* from, const char* end, bool quotes);

// The line, counted from 1, on which text[offset] stands: one more than the line ends before it.
std::size_t LineNumberAt(std::string_view text, std::size_t offset);

}  // namespace tabulor

// The source text cut into lines, lazily: iterating yields views into the text, so a file of
// many short lines costs no more memory than its bytes.
//
// CR LF, a lone CR and a lone LF each end a line; LF CR ends two. A line end at the very end adds
// no empty line. The first NUL byte ends the text. No byte-order mark is recognised.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

namespace tabulor {

class TSourceLines {
public:
    // The text must outlive the lines.
    explicit TSourceLines(std::string_view text);

    class TIterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string_view*;
        using reference = const std::string_view&;

        TIterator() = default;
        reference operator*() const { return Line; }
        pointer operator->() const { return &Line; }
        TIterator& operator++();
        TIterator operator++(int);
        bool operator==(const TIterator& other) const { return Next == other.Next && AtEnd == other.AtEnd; }

    private:
        friend class TSourceLines;
        TIterator(const char* begin, const char* end);
        void ReadLine();

        const char* Next = nullptr;   // first byte after the current line's end
        const char* End = nullptr;
        const char* NextCr = nullptr;  // cached next CR and LF, so a file that uses only one
        const char* NextLf = nullptr;  // kind of line end is not scanned again for the other
        std::string_view Line;
        bool AtEnd = true;
    };

    TIterator begin() const;
    TIterator end() const { return TIterator(); }

private:
    std::string_view Text;
};

}  // namespace tabulor

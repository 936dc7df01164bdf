// A fuzz input read as the choices a user makes in the window, followed by the source text.
//
// Reading never fails: once the bytes run out every further choice is 0 or empty, so any input,
// even an empty one, is a complete conversion request.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/table_settings.h"

namespace tabulor::fuzz {

// The largest block size the fuzzers convert with besides one block: small enough that even a
// short source is cut into many.
inline constexpr std::size_t MostBlockSize = 16;

// The block size of a second conversion, chosen by the source's bytes rather than by bytes of
// its own, so that every input keeps its meaning.
inline std::size_t ManyBlocksSize(std::string_view source)
{
    std::size_t sum = source.size();
    for (const char byte : source)
        sum += static_cast<unsigned char>(byte);
    return 1 + sum % MostBlockSize;
}

enum class TTextKind {
    // Any byte a line edit can hold, which leaves out CR, LF and NUL.
    AnyBytes,
    // Letters, digits, '-' and '_' only: texts that cannot disturb the markup around them, for
    // checks that read the output as a tree of elements.
    MarkupFree,
};

class TFuzzInput {
public:
    TFuzzInput(const std::uint8_t* data, std::size_t size)
        : Rest(reinterpret_cast<const char*>(data), size)
    {
    }

    unsigned char TakeByte()
    {
        if (Rest.empty())
            return 0;
        const auto byte = static_cast<unsigned char>(Rest.front());
        Rest.remove_prefix(1);
        return byte;
    }

    // A row or column count. Small values are the interesting ones, with "more than any table
    // has" reachable from the top of the byte range.
    int TakeCount()
    {
        const unsigned char byte = TakeByte();
        return byte >= 0xF0 ? INT_MAX : byte % 16;
    }

    // A length byte (its low four bits) followed by that many bytes.
    std::string TakeText(TTextKind kind)
    {
        static constexpr std::string_view Safe =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_";
        static_assert(Safe.size() == 64);
        std::string text;
        for (std::size_t length = TakeByte() % 16; length > 0 && !Rest.empty(); --length) {
            const unsigned char byte = TakeByte();
            if (kind == TTextKind::MarkupFree)
                text.push_back(Safe[byte % Safe.size()]);
            else if (byte != '\r' && byte != '\n' && byte != '\0')
                text.push_back(static_cast<char>(byte));
        }
        return text;
    }

    // Header rows, header columns, border, empty-cell text, then the table, row, header and data
    // cell classes.
    TTableSettings TakeSettings(TTextKind kind)
    {
        TTableSettings settings;
        settings.TitleRows = TakeCount();
        settings.TitleCols = TakeCount();
        settings.Border = TakeText(kind);
        settings.EmptyCellText = TakeText(kind);
        settings.TableClass = TakeText(kind);
        settings.RowClass = TakeText(kind);
        settings.HeaderClass = TakeText(kind);
        settings.CellClass = TakeText(kind);
        return settings;
    }

    // What has not been taken: the source text.
    std::string_view Remainder() const { return Rest; }

    // The source text as its decoding lets it through to the table: up to a NUL, which decoding
    // refuses.
    std::string_view CheckedSource() const { return Rest.substr(0, Rest.find('\0')); }

private:
    std::string_view Rest;
};

}  // namespace tabulor::fuzz

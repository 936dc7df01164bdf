// A stream of bytes read a piece at a time: an inflating zip entry, or bytes in memory.
#pragma once

#include <cstddef>
#include <string_view>

namespace tabulor {

class TByteReader {
public:
    virtual ~TByteReader() = default;
    // Fills up to size bytes at buffer and returns how many; 0 at the end only. Throws
    // EWorkbookFault{Invalid} for damaged data.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// Bytes already in memory.
class TMemoryReader : public TByteReader {
public:
    explicit TMemoryReader(std::string_view bytes) : Rest(bytes) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::string_view Rest;
};

}  // namespace tabulor

// A zip archive read from its bytes in memory: its central directory (zip64 included), and each
// entry inflated on demand, its CRC checked. Stored and deflated entries only. Nothing is
// written to disk.
//
// It does not trust the archive: sizes come from the central directory, an entry that inflates
// past its declared size or declares more than 1000 times its compressed size is a fault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/byte_reader.h"

namespace tabulor::zip {

class TZipArchive {
public:
    // Throws EWorkbookFault{Invalid} for bytes that are not a zip archive it reads.
    explicit TZipArchive(std::string_view bytes);

    // Entry names as the archive spells them; Find also takes a name differing in ASCII case.
    bool Has(std::string_view name) const;
    // The entry's size as the central directory declares it, before anything is inflated.
    std::optional<std::uint64_t> SizeOf(std::string_view name) const;
    // The whole entry, inflated. Throws EWorkbookFault{Invalid} for a missing or damaged entry.
    std::string ReadWhole(std::string_view name) const;
    // The entry as a stream of bytes, for the parts too large to hold whole.
    std::unique_ptr<TByteReader> Open(std::string_view name) const;
    // The entries' names in the archive's order.
    std::vector<std::string_view> Names() const;

private:
    // As the central directory gives it; the local header is read only when the entry is opened.
    struct TEntry {
        std::string_view Name;
        std::uint64_t HeaderOffset;
        std::uint64_t CompressedSize;
        std::uint64_t Size;
        std::uint32_t Crc;
        std::uint16_t Flags;
        std::uint16_t Method;
    };
    void ReadDirectory(std::uint64_t offset, std::uint64_t size, std::uint64_t count);
    // Exact name first, then the first differing only in ASCII case; null for none.
    const TEntry* Find(std::string_view name) const;
    std::string_view Bytes;
    std::vector<TEntry> Entries;
};

}  // namespace tabulor::zip

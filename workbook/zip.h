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
#include <string>
#include <string_view>
#include <vector>

#include "workbook/byte_reader.h"

namespace tabulor {

class TZipArchive {
public:
    // Throws EWorkbookFault{Invalid} for bytes that are not a zip archive it reads.
    explicit TZipArchive(std::string_view bytes);

    // Entry names as the archive spells them; Find also takes a name differing in ASCII case.
    bool Has(std::string_view name) const;
    // The whole entry, inflated. Throws EWorkbookFault{Invalid} for a missing or damaged entry.
    std::string ReadWhole(std::string_view name) const;
    // The entry as a stream of bytes, for the parts too large to hold whole.
    std::unique_ptr<TByteReader> Open(std::string_view name) const;

private:
    struct TEntry;
    const TEntry& Find(std::string_view name) const;
    std::string_view Bytes;
    std::vector<TEntry> Entries;
};

}  // namespace tabulor

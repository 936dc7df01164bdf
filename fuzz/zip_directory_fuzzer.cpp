// The zip layer on any bytes: an archive either opens or is refused with EWorkbookFault, and
// each entry either reads through or is refused likewise, never touching a byte outside the
// input. An entry read in small pieces gives what it gives read whole.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "properties.h"
#include "workbook/workbook_fault.h"
#include "workbook/zip/zip_archive.h"

namespace {

using namespace tabulor;
using tabulor::fuzz::Require;

// The entry's bytes, or none when the archive refuses it.
std::optional<std::string> ReadInPieces(const zip::TZipArchive& archive, std::string_view name)
{
    try {
        const auto reader = archive.Open(name);
        std::string whole;
        char piece[7];
        while (const std::size_t count = reader->Read(piece, sizeof piece))
            whole.append(piece, count);
        return whole;
    } catch (const EWorkbookFault&) {
        return std::nullopt;
    }
}

std::optional<std::string> ReadWhole(const zip::TZipArchive& archive, std::string_view name)
{
    try {
        return archive.ReadWhole(name);
    } catch (const EWorkbookFault&) {
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A copy of exactly the input's size, so that a read past its end is caught.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::optional<zip::TZipArchive> archive;
    try {
        archive.emplace(bytes);
    } catch (const EWorkbookFault&) {
        return 0;
    }
    for (const std::string_view name : archive->Names()) {
        Require(archive->Has(name), "a listed entry is found by its name", name);
        const std::optional<std::string> pieces = ReadInPieces(*archive, name);
        // A name listed twice, or twice in different cases, finds its first entry both times.
        Require(pieces == ReadWhole(*archive, name), "an entry reads the same in pieces and whole", name);
    }
    return 0;
}

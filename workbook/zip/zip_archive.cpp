#include "workbook/zip/zip_archive.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "workbook/ascii_text.h"
#include "workbook/zip/prefetch_reader.h"
#include "workbook/workbook_fault.h"

namespace tabulor::zip {

namespace {

constexpr std::uint32_t LocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t CentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t EndSignature = 0x06054b50;
constexpr std::uint32_t Zip64EndSignature = 0x06064b50;
constexpr std::uint32_t Zip64LocatorSignature = 0x07064b50;
constexpr std::size_t LocalHeaderSize = 30;
constexpr std::size_t CentralHeaderSize = 46;
constexpr std::size_t EndSize = 22;
constexpr std::size_t Zip64EndSize = 56;
constexpr std::size_t Zip64LocatorSize = 20;
constexpr std::uint16_t Zip64ExtraId = 0x0001;
constexpr std::uint16_t EncryptedFlag = 0x0001;
constexpr std::uint16_t Stored = 0;
constexpr std::uint16_t Deflated = 8;
// Deflate itself cannot pack much more than this: a larger claim is a bomb, not a workbook.
constexpr std::uint64_t MaxRatio = 1000;
constexpr std::uint64_t PrefetchSize = std::uint64_t{4} << 20;

// The bytes [offset, offset + size) of the archive, or a fault when they run past its end.
std::string_view Slice(std::string_view bytes, std::uint64_t offset, std::uint64_t size)
{
    if (offset > bytes.size() || size > bytes.size() - offset)
        ThrowInvalid();
    return bytes.substr(offset, size);
}

std::uint64_t LittleEndian(std::string_view bytes, std::size_t at, int width)
{
    if (at > bytes.size() || static_cast<std::size_t>(width) > bytes.size() - at)
        ThrowInvalid();
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The end of central directory record: the last one whose comment fits the archive.
std::size_t FindEndRecord(std::string_view bytes)
{
    if (bytes.size() < EndSize)
        ThrowInvalid();
    const std::size_t last = bytes.size() - EndSize;
    const std::size_t lowest = last > 0xFFFF ? last - 0xFFFF : 0;  // behind the longest comment
    for (std::size_t at = last + 1; at-- > lowest;) {
        if (LittleEndian(bytes, at, 4) == EndSignature
            && LittleEndian(bytes, at + 20, 2) <= bytes.size() - at - EndSize)
            return at;
    }
    ThrowInvalid();
}

// A zip64 extra field's 64-bit values, each present only where the central header holds its
// all-ones mark, in the order size, compressed size, header offset.
void ReadZip64Extra(std::string_view extra, std::uint64_t* const fields[3], const bool wanted[3])
{
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const auto id = LittleEndian(extra, at, 2);
        const auto length = LittleEndian(extra, at + 2, 2);
        const std::string_view data = Slice(extra, at + 4, length);
        if (id == Zip64ExtraId) {
            std::size_t next = 0;
            for (int i = 0; i < 3; ++i) {
                if (wanted[i]) {
                    *fields[i] = LittleEndian(data, next, 8);
                    next += 8;
                }
            }
            return;
        }
        at += 4 + length;
    }
    if (wanted[0] || wanted[1] || wanted[2])
        ThrowInvalid();
}

// One entry's bytes as they inflate, its size and CRC checked once its end is reached.
class TEntryReader : public TByteReader {
public:
    TEntryReader(std::string_view data, std::uint64_t size, std::uint32_t crc, bool deflated)
        // Some writers store no deflate bytes at all for an empty entry.
        : Data(data), Remaining(size), ExpectedCrc(crc), Deflated(deflated),
          StreamEnded(data.empty() && size == 0)
    {
        if (Deflated && inflateInit2(&Stream, -MAX_WBITS) != Z_OK)
            throw std::bad_alloc();
    }
    ~TEntryReader() override
    {
        if (Deflated)
            inflateEnd(&Stream);
    }
    TEntryReader(const TEntryReader&) = delete;
    TEntryReader& operator=(const TEntryReader&) = delete;

    std::size_t Read(char* buffer, std::size_t size) override
    {
        if (Remaining == 0) {
            if (!Checked)
                End();
            return 0;
        }
        const auto wanted = static_cast<uInt>(std::min<std::uint64_t>({size, Remaining, 1u << 30}));
        const std::size_t count = Deflated ? Inflate(buffer, wanted) : Copy(buffer, wanted);
        Crc = crc32(Crc, reinterpret_cast<const Bytef*>(buffer), static_cast<uInt>(count));
        Remaining -= count;
        if (Remaining == 0)
            End();
        return count;
    }

private:
    std::size_t Copy(char* buffer, std::size_t count)
    {
        std::memcpy(buffer, Data.data(), count);
        Data.remove_prefix(count);
        return count;
    }

    // Fills the buffer whole: the declared size says that many bytes are still to come.
    std::size_t Inflate(char* buffer, uInt count)
    {
        Stream.next_out = reinterpret_cast<Bytef*>(buffer);
        Stream.avail_out = count;
        while (Stream.avail_out != 0) {
            if (StreamEnded)
                ThrowInvalid();  // shorter than declared
            StreamEnded = Step() == Z_STREAM_END;
        }
        return count;
    }

    int Step()
    {
        if (Stream.avail_in == 0 && !Data.empty()) {
            const auto chunk = static_cast<uInt>(std::min<std::size_t>(Data.size(), 1u << 30));
            Stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Data.data()));
            Stream.avail_in = chunk;
            Data.remove_prefix(chunk);
        }
        const int result = inflate(&Stream, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END)
            ThrowInvalid();  // damaged, or cut short
        return result;
    }

    // The declared size is reached: the deflate stream must end here, and the CRC match.
    void End()
    {
        Checked = true;
        if (Deflated && !StreamEnded) {
            char past;
            Stream.next_out = reinterpret_cast<Bytef*>(&past);
            Stream.avail_out = 1;
            do {
                StreamEnded = Step() == Z_STREAM_END;
                if (Stream.avail_out == 0)
                    ThrowInvalid();  // longer than declared
            } while (!StreamEnded);
        }
        if (Crc != ExpectedCrc)
            ThrowInvalid();
    }

    std::string_view Data;
    std::uint64_t Remaining;
    const std::uint32_t ExpectedCrc;
    const bool Deflated;
    bool StreamEnded;
    uLong Crc = crc32(0, nullptr, 0);
    bool Checked = false;
    z_stream Stream{};
};

}  // namespace

TZipArchive::TZipArchive(std::string_view bytes) : Bytes(bytes)
{
    const std::size_t end = FindEndRecord(bytes);
    if (LittleEndian(bytes, end + 4, 2) != 0 || LittleEndian(bytes, end + 6, 2) != 0)
        ThrowInvalid();  // split over several disks
    std::uint64_t count = LittleEndian(bytes, end + 10, 2);
    std::uint64_t size = LittleEndian(bytes, end + 12, 4);
    std::uint64_t offset = LittleEndian(bytes, end + 16, 4);
    std::uint64_t directoryEnd = end;
    if (end >= Zip64LocatorSize && LittleEndian(bytes, end - Zip64LocatorSize, 4) == Zip64LocatorSignature) {
        const std::uint64_t zip64End = LittleEndian(bytes, end - Zip64LocatorSize + 8, 8);
        const std::string_view record = Slice(bytes, zip64End, Zip64EndSize);
        if (LittleEndian(record, 0, 4) != Zip64EndSignature || LittleEndian(record, 16, 4) != 0
            || LittleEndian(record, 20, 4) != 0)
            ThrowInvalid();
        count = LittleEndian(record, 32, 8);
        size = LittleEndian(record, 40, 8);
        offset = LittleEndian(record, 48, 8);
        directoryEnd = zip64End;
    }
    if (offset > directoryEnd || size > directoryEnd - offset)
        ThrowInvalid();
    ReadDirectory(offset, size, count);
}

void TZipArchive::ReadDirectory(std::uint64_t offset, std::uint64_t size, std::uint64_t count)
{
    const std::string_view directory = Slice(Bytes, offset, size);
    Entries.reserve(std::min<std::uint64_t>(count, size / CentralHeaderSize));
    std::size_t at = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::string_view header = Slice(directory, at, CentralHeaderSize);
        if (LittleEndian(header, 0, 4) != CentralHeaderSignature)
            ThrowInvalid();
        const auto nameLength = LittleEndian(header, 28, 2);
        const auto extraLength = LittleEndian(header, 30, 2);
        const auto commentLength = LittleEndian(header, 32, 2);
        TEntry entry{};
        entry.Name = Slice(directory, at + CentralHeaderSize, nameLength);
        entry.Flags = static_cast<std::uint16_t>(LittleEndian(header, 8, 2));
        entry.Method = static_cast<std::uint16_t>(LittleEndian(header, 10, 2));
        entry.Crc = static_cast<std::uint32_t>(LittleEndian(header, 16, 4));
        entry.CompressedSize = LittleEndian(header, 20, 4);
        entry.Size = LittleEndian(header, 24, 4);
        entry.HeaderOffset = LittleEndian(header, 42, 4);
        std::uint64_t* const fields[3] = {&entry.Size, &entry.CompressedSize, &entry.HeaderOffset};
        const bool wanted[3] = {entry.Size == 0xFFFFFFFF, entry.CompressedSize == 0xFFFFFFFF,
                                entry.HeaderOffset == 0xFFFFFFFF};
        ReadZip64Extra(Slice(directory, at + CentralHeaderSize + nameLength, extraLength), fields, wanted);
        if (entry.HeaderOffset >= offset)
            ThrowInvalid();  // local headers come before the directory
        Entries.push_back(entry);
        at += CentralHeaderSize + nameLength + extraLength + commentLength;
        if (at > directory.size())
            ThrowInvalid();
    }
}

const TZipArchive::TEntry* TZipArchive::Find(std::string_view name) const
{
    // Part names start with '/', zip names do not; an archive that writes one anyway is read.
    auto bare = [](std::string_view path) { return path.starts_with('/') ? path.substr(1) : path; };
    name = bare(name);
    for (const TEntry& entry : Entries) {
        if (bare(entry.Name) == name)
            return &entry;
    }
    for (const TEntry& entry : Entries) {
        if (EqualsIgnoringAsciiCase(bare(entry.Name), name))
            return &entry;
    }
    return nullptr;
}

bool TZipArchive::Has(std::string_view name) const
{
    return Find(name) != nullptr;
}

std::optional<std::uint64_t> TZipArchive::SizeOf(std::string_view name) const
{
    const TEntry* entry = Find(name);
    if (entry == nullptr)
        return std::nullopt;
    return entry->Size;
}

std::vector<std::string_view> TZipArchive::Names() const
{
    std::vector<std::string_view> names;
    names.reserve(Entries.size());
    for (const TEntry& entry : Entries)
        names.push_back(entry.Name);
    return names;
}

std::unique_ptr<TByteReader> TZipArchive::Open(std::string_view name) const
{
    const TEntry* entry = Find(name);
    if (entry == nullptr || (entry->Flags & EncryptedFlag) != 0
        || (entry->Method != Stored && entry->Method != Deflated))
        ThrowInvalid();
    const std::string_view header = Slice(Bytes, entry->HeaderOffset, LocalHeaderSize);
    if (LittleEndian(header, 0, 4) != LocalHeaderSignature)
        ThrowInvalid();
    const std::uint64_t dataOffset =
        entry->HeaderOffset + LocalHeaderSize + LittleEndian(header, 26, 2) + LittleEndian(header, 28, 2);
    const std::string_view data = Slice(Bytes, dataOffset, entry->CompressedSize);
    // The slice bounds the compressed size, so the product cannot overflow.
    if (entry->Method == Stored ? entry->Size != data.size() : entry->Size > MaxRatio * data.size())
        ThrowInvalid();
    auto reader = std::make_unique<TEntryReader>(data, entry->Size, entry->Crc, entry->Method == Deflated);
    // A large deflated part, a sheet's, inflates on a second core while the first parses it.
    if (entry->Method == Deflated && entry->Size >= PrefetchSize)
        return std::make_unique<TPrefetchReader>(std::move(reader));
    return reader;
}

std::string TZipArchive::ReadWhole(std::string_view name) const
{
    const std::unique_ptr<TByteReader> reader = Open(name);
    constexpr std::size_t chunk = 64 * 1024;
    std::string whole;
    std::size_t count = 0;
    for (std::size_t read = 1; read != 0; count += read) {
        whole.resize(count + chunk);
        read = reader->Read(whole.data() + count, chunk);
    }
    whole.resize(count);
    return whole;
}

}  // namespace tabulor::zip

// Zip archives made in memory for the tests: each entry stored or deflated, with its CRC, as a
// spreadsheet program writes its workbooks, or as streaming and zip64 writers do.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tabulor::testkit {

struct TZipEntry {
    std::string Name;
    std::string Content;
    bool Deflated = true;
    // CRC and sizes after the data, the local header's left zero, as a streaming writer does.
    bool DataDescriptor = false;
    int Level = Z_BEST_SPEED;
};

struct TZipLayout {
    // Every size and offset in zip64 extra fields, and the zip64 end record and locator.
    bool Zip64 = false;
    std::string Comment;
};

namespace detail {

inline void PutLittleEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Raw deflate, as zip entries hold it.
inline std::string Deflate(std::string_view content, int level)
{
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&stream, static_cast<uLong>(content.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

}  // namespace detail

inline std::uint32_t Crc32(std::string_view bytes)
{
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

// The archive's bytes: local headers and data in order, then the central directory.
inline std::string MakeZip(const std::vector<TZipEntry>& entries, const TZipLayout& layout = {})
{
    using detail::PutLittleEndian;
    constexpr std::uint64_t zip64Mark = 0xFFFFFFFF;
    const int sizeWidth = layout.Zip64 ? 8 : 4;
    std::string archive;
    std::string directory;
    for (const TZipEntry& entry : entries) {
        const std::string data = entry.Deflated ? detail::Deflate(entry.Content, entry.Level) : entry.Content;
        const std::uint32_t crc = Crc32(entry.Content);
        const std::uint64_t offset = archive.size();
        auto header = [&](std::string& out, bool central) {
            const bool zeroed = !central && entry.DataDescriptor;
            std::string extra;
            if (layout.Zip64) {
                PutLittleEndian(extra, 1, 2);
                PutLittleEndian(extra, central ? 24 : 16, 2);
                PutLittleEndian(extra, entry.Content.size(), 8);
                PutLittleEndian(extra, data.size(), 8);
                if (central)
                    PutLittleEndian(extra, offset, 8);
            }
            PutLittleEndian(out, central ? 0x02014b50 : 0x04034b50, 4);
            if (central)
                PutLittleEndian(out, 45, 2);  // made by
            PutLittleEndian(out, layout.Zip64 ? 45 : 20, 2);  // needed to extract
            PutLittleEndian(out, entry.DataDescriptor ? 8 : 0, 2);  // flags
            PutLittleEndian(out, entry.Deflated ? 8 : 0, 2);
            PutLittleEndian(out, 0, 4);  // time and date
            PutLittleEndian(out, zeroed ? 0 : crc, 4);
            PutLittleEndian(out, zeroed ? 0 : layout.Zip64 ? zip64Mark : data.size(), 4);
            PutLittleEndian(out, zeroed ? 0 : layout.Zip64 ? zip64Mark : entry.Content.size(), 4);
            PutLittleEndian(out, entry.Name.size(), 2);
            PutLittleEndian(out, extra.size(), 2);
            if (central) {
                PutLittleEndian(out, 0, 2);  // comment
                PutLittleEndian(out, 0, 2);  // disk
                PutLittleEndian(out, 0, 2);  // internal attributes
                PutLittleEndian(out, 0, 4);  // external attributes
                PutLittleEndian(out, layout.Zip64 ? zip64Mark : offset, 4);
            }
            out += entry.Name;
            out += extra;
        };
        header(archive, false);
        archive += data;
        if (entry.DataDescriptor) {
            PutLittleEndian(archive, 0x08074b50, 4);
            PutLittleEndian(archive, crc, 4);
            PutLittleEndian(archive, data.size(), sizeWidth);
            PutLittleEndian(archive, entry.Content.size(), sizeWidth);
        }
        header(directory, true);
    }
    const std::uint64_t directoryOffset = archive.size();
    archive += directory;
    if (layout.Zip64) {
        const std::uint64_t recordOffset = archive.size();
        PutLittleEndian(archive, 0x06064b50, 4);
        PutLittleEndian(archive, 44, 8);  // the record's size after this field
        PutLittleEndian(archive, 45, 2);  // made by
        PutLittleEndian(archive, 45, 2);  // needed to extract
        PutLittleEndian(archive, 0, 8);  // disks
        PutLittleEndian(archive, entries.size(), 8);
        PutLittleEndian(archive, entries.size(), 8);
        PutLittleEndian(archive, directory.size(), 8);
        PutLittleEndian(archive, directoryOffset, 8);
        PutLittleEndian(archive, 0x07064b50, 4);
        PutLittleEndian(archive, 0, 4);  // disk
        PutLittleEndian(archive, recordOffset, 8);
        PutLittleEndian(archive, 1, 4);  // disks
    }
    PutLittleEndian(archive, 0x06054b50, 4);
    PutLittleEndian(archive, 0, 4);  // disks
    PutLittleEndian(archive, layout.Zip64 ? 0xFFFF : entries.size(), 2);
    PutLittleEndian(archive, layout.Zip64 ? 0xFFFF : entries.size(), 2);
    PutLittleEndian(archive, layout.Zip64 ? zip64Mark : directory.size(), 4);
    PutLittleEndian(archive, layout.Zip64 ? zip64Mark : directoryOffset, 4);
    PutLittleEndian(archive, layout.Comment.size(), 2);
    archive += layout.Comment;
    return archive;
}

}  // namespace tabulor::testkit

// Zip archives made in memory for the tests: each entry stored or deflated, with its CRC, as a
// spreadsheet program writes its workbooks.
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
};

namespace detail {

inline void PutLittleEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Raw deflate, as zip entries hold it.
inline std::string Deflate(std::string_view content)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
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
inline std::string MakeZip(const std::vector<TZipEntry>& entries)
{
    using detail::PutLittleEndian;
    std::string archive;
    std::string directory;
    for (const TZipEntry& entry : entries) {
        const std::string data = entry.Deflated ? detail::Deflate(entry.Content) : entry.Content;
        const std::uint32_t crc = Crc32(entry.Content);
        const std::uint64_t offset = archive.size();
        auto header = [&](std::string& out, bool central) {
            PutLittleEndian(out, central ? 0x02014b50 : 0x04034b50, 4);
            if (central)
                PutLittleEndian(out, 20, 2);  // made by
            PutLittleEndian(out, 20, 2);  // needed to extract
            PutLittleEndian(out, 0, 2);  // flags
            PutLittleEndian(out, entry.Deflated ? 8 : 0, 2);
            PutLittleEndian(out, 0, 4);  // time and date
            PutLittleEndian(out, crc, 4);
            PutLittleEndian(out, data.size(), 4);
            PutLittleEndian(out, entry.Content.size(), 4);
            PutLittleEndian(out, entry.Name.size(), 2);
            PutLittleEndian(out, 0, 2);  // extra field
            if (central) {
                PutLittleEndian(out, 0, 2);  // comment
                PutLittleEndian(out, 0, 2);  // disk
                PutLittleEndian(out, 0, 2);  // internal attributes
                PutLittleEndian(out, 0, 4);  // external attributes
                PutLittleEndian(out, offset, 4);
            }
            out += entry.Name;
        };
        header(archive, false);
        archive += data;
        header(directory, true);
    }
    const std::uint64_t directoryOffset = archive.size();
    archive += directory;
    PutLittleEndian(archive, 0x06054b50, 4);
    PutLittleEndian(archive, 0, 4);  // disks
    PutLittleEndian(archive, entries.size(), 2);
    PutLittleEndian(archive, entries.size(), 2);
    PutLittleEndian(archive, directory.size(), 4);
    PutLittleEndian(archive, directoryOffset, 4);
    PutLittleEndian(archive, 0, 2);  // comment
    return archive;
}

}  // namespace tabulor::testkit

// The least that reading a workbook must do, as the yardstick of the workbook measurements:
//   tabulor_bench_inflate ARCHIVE ENTRY [--parse]
// reads the archive whole, as a conversion does, finds the entry in its central directory and
// inflates it with zlib, throwing the bytes away; with --parse, the bytes go through expat, with
// namespaces and no handler, as the floor of what the platform's parser costs. No zip64, which
// the sample workbooks do not need.
#include <expat.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

std::string ReadWhole(const std::filesystem::path& name)
{
    std::string bytes(std::filesystem::file_size(name), '\0');
    std::ifstream file(name, std::ios::binary);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot read " + name.string());
    return bytes;
}

std::uint32_t Little(std::string_view bytes, std::size_t at, int size)
{
    if (at + static_cast<std::size_t>(size) > bytes.size())
        throw std::runtime_error("truncated archive");
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// The entry's compressed data, by the central directory found from its end record.
std::string_view FindDeflated(std::string_view archive, std::string_view name)
{
    const std::size_t end = archive.rfind("PK\x05\x06");
    if (end == std::string_view::npos)
        throw std::runtime_error("not a zip archive");
    std::size_t at = Little(archive, end + 16, 4);
    for (std::uint32_t left = Little(archive, end + 10, 2); left > 0; --left) {
        const std::size_t nameSize = Little(archive, at + 28, 2);
        const std::size_t next = at + 46 + nameSize + Little(archive, at + 30, 2) + Little(archive, at + 32, 2);
        if (archive.substr(at + 46, nameSize) == name) {
            if (Little(archive, at + 10, 2) != Z_DEFLATED)
                throw std::runtime_error("entry not deflated");
            const std::size_t header = Little(archive, at + 42, 4);
            const std::size_t data = header + 30 + Little(archive, header + 26, 2) + Little(archive, header + 28, 2);
            return archive.substr(data, Little(archive, at + 20, 4));
        }
        at = next;
    }
    throw std::runtime_error("no entry " + std::string(name));
}

using TSink = std::function<void(const char* bytes, std::size_t size)>;

// Hands the inflated bytes to the sink a piece at a time; returns their count.
std::uint64_t Inflate(std::string_view deflated, const TSink& sink)
{
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        throw std::runtime_error("inflateInit2");
    static char buffer[256 * 1024];
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
    stream.avail_in = static_cast<uInt>(deflated.size());
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        sink(buffer, sizeof buffer - stream.avail_out);
    }
    const std::uint64_t size = stream.total_out;
    inflateEnd(&stream);
    if (status != Z_STREAM_END)
        throw std::runtime_error("damaged entry");
    return size;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const bool parse = argc == 4 && std::string_view(argv[3]) == "--parse";
        if (argc != 3 && !parse)
            throw std::invalid_argument("usage: tabulor_bench_inflate ARCHIVE ENTRY [--parse]");
        const std::string archive = ReadWhole(argv[1]);
        const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(XML_ParserCreateNS(nullptr, '\x01'),
                                                                                 &XML_ParserFree);
        auto feed = [&](const char* bytes, std::size_t size) {
            if (XML_Parse(parser.get(), bytes, static_cast<int>(size), XML_FALSE) != XML_STATUS_OK)
                throw std::runtime_error("malformed XML");
        };
        if (Inflate(FindDeflated(archive, argv[2]), parse ? TSink(feed) : TSink([](const char*, std::size_t) {})) == 0)
            throw std::runtime_error("empty entry");
        if (parse && XML_Parse(parser.get(), nullptr, 0, XML_TRUE) != XML_STATUS_OK)
            throw std::runtime_error("malformed XML");
        return EXIT_SUCCESS;
    } catch (const std::exception& error) {
        std::cerr << "tabulor_bench_inflate: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
}

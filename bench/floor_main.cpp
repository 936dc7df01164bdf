// The least that any conversion must do, as the yardstick of the whole-file measurements:
//   tabulor_bench_floor SOURCE DEST OUTPUT_BYTES
// reads the source whole into memory, as a conversion does, then writes OUTPUT_BYTES bytes
// (the size of a real conversion's output) to DEST in mebibyte writes. No transformation at all.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t WriteSize = std::size_t{1} << 20;

struct TSource {
    std::unique_ptr<char[]> Data;
    std::size_t Size = 0;
    std::string_view View() const { return {Data.get(), Size}; }
};

// Into a buffer left uninitialised, as the conversion reads it: filling it first would add a
// pass over the source that the conversion does not make.
TSource ReadWhole(const std::filesystem::path& name)
{
    TSource source{nullptr, std::filesystem::file_size(name)};
    source.Data = std::make_unique_for_overwrite<char[]>(source.Size);
    std::ifstream file(name, std::ios::binary);
    file.read(source.Data.get(), static_cast<std::streamsize>(source.Size));
    if (!file)
        throw std::runtime_error("cannot read " + name.string());
    return source;
}

// The chunk is filled from the source only so that the file looks like text: its bytes do not
// change what a write costs.
void WriteBytes(const std::filesystem::path& name, std::string_view source, std::size_t count)
{
    std::string chunk(WriteSize, ' ');
    for (std::size_t i = 0; !source.empty() && i < chunk.size(); i += source.size())
        std::copy_n(source.begin(), std::min(source.size(), chunk.size() - i), chunk.begin() + i);
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    for (std::size_t left = count; left > 0 && file;) {
        const std::size_t size = std::min(left, chunk.size());
        file.write(chunk.data(), static_cast<std::streamsize>(size));
        left -= size;
    }
    file.close();
    if (!file)
        throw std::runtime_error("cannot write " + name.string());
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        if (argc != 4)
            throw std::invalid_argument("usage: tabulor_bench_floor SOURCE DEST OUTPUT_BYTES");
        const TSource source = ReadWhole(argv[1]);
        WriteBytes(argv[2], source.View(), std::stoull(argv[3]));
        return EXIT_SUCCESS;
    } catch (const std::exception& error) {
        std::cerr << "tabulor_bench_floor: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
}

#include "workbook/zip/prefetch_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace tabulor {
namespace {

// Gives its bytes a few at a time, then fails if told to, as a damaged entry does past its end.
class TDribbleReader : public TByteReader {
public:
    TDribbleReader(std::string bytes, bool fails) : Bytes(std::move(bytes)), Fails(fails) {}
    std::size_t Read(char* buffer, std::size_t size) override
    {
        const std::size_t count = std::min({size, Bytes.size() - At, std::size_t{777}});
        if (count == 0 && Fails)
            throw std::runtime_error("damaged");
        Bytes.copy(buffer, count, At);
        At += count;
        return count;
    }

private:
    std::string Bytes;
    std::size_t At = 0;
    bool Fails;
};

std::string Pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 131 + i / 251);
    return bytes;
}

TEST(PrefetchReader, GivesEveryByteInOrderThenTheSourcesFailure)
{
    constexpr std::size_t block = zip::TPrefetchReader::BlockSize;
    const std::size_t sizes[] = {0, 1, block - 1, block, block + 1,
                                 (zip::TPrefetchReader::MaxReadyBlocks + 3) * block + 5};
    for (const std::size_t size : sizes) {
        for (const bool fails : {false, true}) {
            const std::string bytes = Pattern(size);
            zip::TPrefetchReader reader(std::make_unique<TDribbleReader>(bytes, fails));
            std::string read;
            char piece[4096];
            auto readAll = [&] {
                while (const std::size_t count = reader.Read(piece, 1000 + read.size() % 3000))
                    read.append(piece, count);
            };
            if (fails)
                EXPECT_THROW(readAll(), std::runtime_error) << size;
            else
                readAll();
            // The bytes before a failure are all given before it.
            EXPECT_EQ(read, bytes) << size;
        }
    }
}

TEST(PrefetchReader, StopsWhenLeftBeforeTheEnd)
{
    zip::TPrefetchReader reader(std::make_unique<TDribbleReader>(Pattern(20 * zip::TPrefetchReader::BlockSize), false));
    char piece[10];
    EXPECT_EQ(reader.Read(piece, sizeof piece), sizeof piece);
}

}  // namespace
}  // namespace tabulor

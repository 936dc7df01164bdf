#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <thread>

#include "core/background_writer.h"
#include "core/file_errors.h"

namespace {

using namespace tabulor;

// Keeps what it is given, counts the writes made on the thread that created it, and fails on a
// chosen write.
class TFailingSink : public TByteSink {
public:
    explicit TFailingSink(int failingWrite) : FailingWrite(failingWrite) {}
    void Write(std::string_view bytes) override
    {
        CallerWrites += std::this_thread::get_id() == Caller;
        if (++Writes == FailingWrite)
            throw EWriteError("Erreur d'écriture dans le flux");
        Bytes.append(bytes);
    }
    const int FailingWrite;
    const std::thread::id Caller = std::this_thread::get_id();
    int Writes = 0;
    int CallerWrites = 0;
    std::string Bytes;
};

// Only the first chunk may be written on the calling thread: alone, by Wait; followed by
// others, when the second comes. The others go to the writer's thread.
TEST(BackgroundWriter, WritesEveryChunkInOrderOffTheCallingThreadButTheFirst)
{
    for (const std::size_t size : {std::size_t{10}, 3 * TOutputLines::ChunkSize}) {
        TFailingSink sink(0);
        std::string expected;
        {
            TBackgroundWriter writer(sink);
            TOutputLines output(&writer);
            for (int line = 0; expected.size() < size; ++line) {
                const std::string text = "ligne " + std::to_string(line);
                output.AddLine(text);
                expected += text + "\r\n";
            }
            output.Flush();
            writer.Wait();
        }
        EXPECT_EQ(sink.CallerWrites, 1) << size;
        EXPECT_EQ(sink.Writes > 2, size > TOutputLines::ChunkSize) << size;
        EXPECT_EQ(sink.Bytes, expected) << size;
    }
}

TChunk ChunkOf(std::string_view bytes)
{
    TChunk chunk{std::make_unique<char[]>(bytes.size()), bytes.size(), bytes.size()};
    std::copy(bytes.begin(), bytes.end(), chunk.Data.get());
    return chunk;
}

TEST(BackgroundWriter, ErrorOfAChunkReachesTheCaller)
{
    for (const int failing : {1, 2}) {
        TFailingSink sink(failing);
        TBackgroundWriter writer(sink);
        writer.Take(ChunkOf("first"));
        EXPECT_THROW(
            {
                writer.Take(ChunkOf("second"));
                writer.Wait();
            },
            EWriteError)
            << "write " << failing;
    }
}

// Destroyed while a chunk is being written, it waits, so the target is never written after; and
// the memory it gives back is the chunk it wrote before, never the one it is writing.
TEST(BackgroundWriter, AbandonedWriterLetsTheLastChunkFinish)
{
    TFailingSink sink(2);
    {
        TBackgroundWriter writer(sink);
        TChunk first = ChunkOf("first");
        const char* const firstMemory = first.Data.get();
        EXPECT_EQ(writer.Take(std::move(first)).Data, nullptr);
        EXPECT_EQ(writer.Take(ChunkOf("second")).Data.get(), firstMemory);
    }
    EXPECT_EQ(sink.Writes, 2);
    EXPECT_EQ(sink.Bytes, "first");
}

}  // namespace

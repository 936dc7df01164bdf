#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "core/background_writer.h"
#include "core/file_errors.h"

namespace {

using namespace tabulor;

// Keeps what it is given, checks it is written from another thread, and fails on a chosen write.
class TFailingSink : public TByteSink {
public:
    explicit TFailingSink(int failingWrite) : FailingWrite(failingWrite) {}
    void Write(std::string_view bytes) override
    {
        OtherThread = OtherThread && std::this_thread::get_id() != Caller;
        if (++Writes == FailingWrite)
            throw EWriteError("Erreur d'écriture dans le flux");
        Bytes.append(bytes);
    }
    const int FailingWrite;
    const std::thread::id Caller = std::this_thread::get_id();
    int Writes = 0;
    bool OtherThread = true;
    std::string Bytes;
};

TEST(BackgroundWriter, WritesEveryChunkInOrderOffTheCallingThread)
{
    TFailingSink sink(0);
    std::string expected;
    {
        TBackgroundWriter writer(sink);
        TOutputLines output(&writer);
        for (int line = 0; expected.size() < 3 * TOutputLines::ChunkSize; ++line) {
            const std::string text = "ligne " + std::to_string(line);
            output.AddLine(text);
            expected += text + "\r\n";
        }
        output.Flush();
        writer.Wait();
    }
    EXPECT_GT(sink.Writes, 2);
    EXPECT_TRUE(sink.OtherThread);
    EXPECT_EQ(sink.Bytes, expected);
}

TEST(BackgroundWriter, ErrorOfAChunkReachesTheCaller)
{
    for (const int failing : {1, 2}) {
        TFailingSink sink(failing);
        TBackgroundWriter writer(sink);
        writer.Write("first");
        EXPECT_THROW(
            {
                writer.Write("second");
                writer.Wait();
            },
            EWriteError)
            << "write " << failing;
    }
}

// Destroyed while a chunk is being written, it waits, so the target is never written after.
TEST(BackgroundWriter, AbandonedWriterLetsTheLastChunkFinish)
{
    TFailingSink sink(2);
    {
        TBackgroundWriter writer(sink);
        writer.Write("first");
        writer.Write("second");
    }
    EXPECT_EQ(sink.Writes, 2);
    EXPECT_EQ(sink.Bytes, "first");
}

// A sink may still be reading the last bytes it was handed: the lines tell it before they go.
TEST(BackgroundWriter, OutputLinesReleaseTheirSinkBeforeFreeingTheBytes)
{
    class TReleaseCheckingSink : public TByteSink {
    public:
        void Write(std::string_view bytes) override { Last = bytes; }
        void Release() noexcept override
        {
            ++Releases;
            SeenAtRelease = std::string(Last);
        }
        std::string_view Last;
        int Releases = 0;
        std::string SeenAtRelease;
    } sink;
    {
        TOutputLines output(&sink);
        output.AddLine("a");
        output.Flush();
        output.AddLine("not handed over");
    }
    EXPECT_EQ(sink.Releases, 1);
    EXPECT_EQ(sink.SeenAtRelease, "a\r\n");
}

}  // namespace

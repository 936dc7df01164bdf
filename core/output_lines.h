// The output line list, kept as the bytes that will be written: every line followed by CR LF.
//
// It does not keep the whole output when a sink is given: whenever a chunk has gathered it is
// handed to the sink, which gives back memory for the next, so a conversion's memory does not
// grow with the output and the sink may go on writing one chunk while the next fills.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace tabulor {

// Bytes of output and the memory that holds them.
struct TChunk {
    std::unique_ptr<char[]> Data;
    std::size_t Capacity = 0;
    std::size_t Size = 0;
    // The most it has held, where its memory has been touched; as far as its holder has counted.
    std::size_t Used = 0;
    std::string_view Bytes() const { return {Data.get(), Size}; }
};

// Where finished bytes go: a file, a test's string.
class TByteSink {
public:
    virtual ~TByteSink() = default;
    virtual void Write(std::string_view bytes) = 0;
};

// Where chunks go, each handed over with its memory.
class TChunkSink {
public:
    virtual ~TChunkSink() = default;
    // Takes a chunk and gives back memory to fill next: one whose bytes are done with, or none.
    virtual TChunk Take(TChunk chunk) = 0;
};

class TOutputLines {
public:
    // Without a sink every byte stays in Text().
    explicit TOutputLines(TChunkSink* sink = nullptr) : Sink(sink) {}
    TOutputLines(const TOutputLines&) = delete;
    TOutputLines& operator=(const TOutputLines&) = delete;

    // Adds to the line being built.
    void Append(std::string_view text)
    {
        if (text.empty())
            return;
        std::memcpy(BeginWrite(text.size()), text.data(), text.size());
        Current.Size += text.size();
    }

    // Ends the line being built (which may be empty).
    void EndLine()
    {
        Append("\r\n");
        FlushIfFull();
    }
    void AddLine(std::string_view line)
    {
        Append(line);
        EndLine();
    }

    // Room for at least `room` more bytes, to be written at the pointer returned; EndWrite then
    // takes the end of what was written. Lets the table write byte replacements without a size
    // check for each.
    char* BeginWrite(std::size_t room)
    {
        if (Current.Capacity - Current.Size < room)
            MakeRoom(room);
        return Current.Data.get() + Current.Size;
    }
    void EndWrite(const char* end) { Current.Size = static_cast<std::size_t>(end - Current.Data.get()); }

    // Hands the bytes gathered so far to the sink once they fill a chunk. Called within long rows
    // too, so that a single enormous row does not gather whole.
    void FlushIfFull()
    {
        if (Sink != nullptr && Current.Size >= ChunkSize)
            Flush();
    }

    // Hands what is left to the sink.
    void Flush();

    // Adds a chunk made elsewhere after what is here; gives back memory for the caller's next.
    TChunk AppendChunk(TChunk chunk);

    // What has not been handed to a sink yet.
    std::string_view Text() const { return Current.Bytes(); }

    // Large enough that handing a chunk over costs little beside writing it.
    static constexpr std::size_t ChunkSize = std::size_t{4} << 20;

private:
    void MakeRoom(std::size_t room);

    TChunk Current;
    TChunkSink* Sink;
};

}  // namespace tabulor

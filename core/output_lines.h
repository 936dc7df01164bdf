// The output line list, kept as the bytes that will be written: every line followed by CR LF.
//
// It does not keep the whole output when a sink is given: whenever a chunk has gathered it is
// handed to the sink, so a conversion's memory does not grow with the output. It builds into two
// buffers in turn, so that a sink may go on writing one while the next fills.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace tabulor {

class TByteSink {
public:
    virtual ~TByteSink() = default;
    // The bytes stay as they are until the next call of Write or Release returns.
    virtual void Write(std::string_view bytes) = 0;
    // The bytes last handed to Write are about to be freed: a sink still reading them finishes
    // first. Errors are left to the next Write and to the sink's own end.
    virtual void Release() noexcept {}
};

class TOutputLines {
public:
    // Without a sink every byte stays in Text().
    explicit TOutputLines(TByteSink* sink = nullptr) : Sink(sink) {}
    ~TOutputLines()
    {
        if (Sink != nullptr)
            Sink->Release();
    }
    TOutputLines(const TOutputLines&) = delete;
    TOutputLines& operator=(const TOutputLines&) = delete;

    // Adds to the line being built.
    void Append(std::string_view text)
    {
        if (text.empty())
            return;
        std::memcpy(BeginWrite(text.size()), text.data(), text.size());
        Size += text.size();
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
        if (Current->Capacity - Size < room)
            MakeRoom(room);
        return Current->Data.get() + Size;
    }
    void EndWrite(const char* end) { Size = static_cast<std::size_t>(end - Current->Data.get()); }

    // Hands the bytes gathered so far to the sink once they fill a chunk. Called within long rows
    // too, so that a single enormous row does not gather whole.
    void FlushIfFull()
    {
        if (Sink != nullptr && Size >= ChunkSize)
            Flush();
    }

    // Hands what is left to the sink.
    void Flush();

    // What has not been handed to a sink yet.
    std::string_view Text() const { return {Current->Data.get(), Size}; }

    // Large enough that handing a chunk over costs little beside writing it.
    static constexpr std::size_t ChunkSize = std::size_t{4} << 20;

private:
    void MakeRoom(std::size_t room);

    struct TBuffer {
        std::unique_ptr<char[]> Data;
        std::size_t Capacity = 0;
    };
    TBuffer Buffers[2];
    TBuffer* Current = &Buffers[0];
    std::size_t Size = 0;
    TByteSink* Sink;
};

}  // namespace tabulor

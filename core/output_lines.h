// The output line list, kept as the bytes that will be written: every line followed by CR LF.
//
// It does not keep the whole output when a sink is given: whenever a mebibyte has gathered it is
// handed to the sink, so a conversion's memory does not grow with the output.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tabulor {

class TByteSink {
public:
    virtual ~TByteSink() = default;
    virtual void Write(std::string_view bytes) = 0;
};

class TOutputLines {
public:
    // Without a sink every byte stays in Text().
    explicit TOutputLines(TByteSink* sink = nullptr);

    // Adds to the line being built.
    void Append(std::string_view text) { Buffer.append(text); }
    void Append(char c) { Buffer.push_back(c); }

    // Ends the line being built (which may be empty).
    void EndLine()
    {
        Buffer.append("\r\n", 2);
        FlushIfFull();
    }
    void AddLine(std::string_view line) { Append(line); EndLine(); }

    // Hands the bytes gathered so far to the sink once they fill a chunk. Called between cells
    // too, so that a single enormous row does not gather whole.
    void FlushIfFull()
    {
        if (Sink != nullptr && Buffer.size() >= kChunkSize)
            Flush();
    }

    // Hands what is left to the sink.
    void Flush();

    // What has not been handed to a sink yet. The end of it is the line being built, which
    // the table appends to directly: one string append per piece, no copy of a whole row.
    const std::string& Text() const { return Buffer; }
    std::string& Tail() { return Buffer; }

private:
    static constexpr std::size_t kChunkSize = std::size_t{1} << 20;
    std::string Buffer;
    TByteSink* Sink;
};

}  // namespace tabulor

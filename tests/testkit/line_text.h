// Helpers of the tests and the fuzzers: output text cut back into lines, and a sink that keeps
// what it is handed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/output_lines.h"

namespace tabulor::testkit {

// Every line must end in CR LF; a stray CR or LF inside a line shows up as a line that differs.
inline std::vector<std::string> SplitCrLf(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(std::string(text.substr(start)) + "<missing CR LF>");
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class TRecordingSink : public TChunkSink {
public:
    TChunk Take(TChunk chunk) override
    {
        Bytes.append(chunk.Bytes());
        ++Writes;
        return chunk;
    }
    std::string Bytes;
    int Writes = 0;
};

}  // namespace tabulor::testkit

#include "output_lines.h"

namespace tabulor {

TOutputLines::TOutputLines(TByteSink* sink) : Sink(sink)
{
    if (Sink != nullptr)
        Buffer.reserve(2 * kChunkSize);
}

void TOutputLines::Flush()
{
    if (Sink == nullptr || Buffer.empty())
        return;
    Sink->Write(Buffer);
    Buffer.clear();
}

}  // namespace tabulor

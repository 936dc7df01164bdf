#include "output_lines.h"

#include <algorithm>

namespace tabulor {

void TOutputLines::Flush()
{
    if (Sink == nullptr || Size == 0)
        return;
    Sink->Write(Text());
    Current = Current == &Buffers[0] ? &Buffers[1] : &Buffers[0];
    Size = 0;
}

void TOutputLines::MakeRoom(std::size_t room)
{
    // With a sink, what has gathered goes out first, so the buffers stay near one chunk.
    if (Sink != nullptr)
        Flush();
    if (Current->Capacity - Size >= room)
        return;
    // A sink's buffers are made for a whole chunk at once; without one, the text grows from small,
    // as it may be a few lines only.
    const std::size_t least = Sink != nullptr ? 2 * ChunkSize : 256;
    const std::size_t capacity = std::max({Size + room, 2 * Current->Capacity, least});
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    if (Size != 0)
        std::memcpy(data.get(), Current->Data.get(), Size);
    Current->Data = std::move(data);
    Current->Capacity = capacity;
}

}  // namespace tabulor

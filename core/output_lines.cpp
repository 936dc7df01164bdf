#include "output_lines.h"

#include <algorithm>

namespace tabulor {

void TOutputLines::Flush()
{
    if (Sink == nullptr || Current.Size == 0)
        return;
    Current = Sink->Take(std::move(Current));
    Current.Size = 0;
}

TChunk TOutputLines::AppendChunk(TChunk chunk)
{
    if (Sink == nullptr) {
        Append(chunk.Bytes());
        return chunk;
    }
    Flush();
    TChunk spare = Sink->Take(std::move(chunk));
    spare.Size = 0;
    return spare;
}

void TOutputLines::MakeRoom(std::size_t room)
{
    // With a sink, what has gathered goes out first, so the chunks stay near their size.
    if (Sink != nullptr)
        Flush();
    if (Current.Capacity - Current.Size >= room)
        return;
    // A sink's chunks are made whole at once; without one, the text grows from small, as it may
    // be a few lines only.
    const std::size_t least = Sink != nullptr ? 2 * ChunkSize : 256;
    const std::size_t capacity = std::max({Current.Size + room, 2 * Current.Capacity, least});
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    if (Current.Size != 0)
        std::memcpy(data.get(), Current.Data.get(), Current.Size);
    Current.Data = std::move(data);
    Current.Capacity = capacity;
}

}  // namespace tabulor

// Writes each chunk to its target on a thread of its own and returns at once, so that the disk
// takes the output while the table builds its next chunk. The conversion stays one call that
// returns when every byte is written: Wait, and any later Take, raise the target's errors.
//
// It does not copy the bytes: it holds the chunk it writes and gives its memory back with the
// next Take. The first chunk is only held: an output of one chunk is written by Wait on the
// calling thread, which costs less than starting one. The thread starts with the second and
// ends with Wait.
#pragma once

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "output_lines.h"

namespace tabulor {

class TBackgroundWriter : public TChunkSink {
public:
    explicit TBackgroundWriter(TByteSink& target) : Target(target) {}
    // A write under way finishes first, so that neither its bytes nor the target go from under
    // it; its error is dropped.
    ~TBackgroundWriter() override;

    TChunk Take(TChunk chunk) override;

    // Returns when the last chunk is written; raises the error its writing raised.
    void Wait();

private:
    void WriteChunks();
    void Stop() noexcept;
    void WriteHeld();
    // With the lock held: once the chunk under way is written.
    void WaitIdle(std::unique_lock<std::mutex>& lock);

    TByteSink& Target;
    std::mutex Lock;
    std::condition_variable Changed;
    TChunk Writing;
    bool Held = false;  // Writing waits for Wait or the next Take, with no thread
    bool Busy = false;  // Writing is being written on the thread
    bool Closing = false;
    std::exception_ptr Error;
    std::thread Thread;
};

}  // namespace tabulor

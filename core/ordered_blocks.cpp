#include "ordered_blocks.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "thread_priority.h"

namespace tabulor {

namespace {

// Raised in a thread that finds the run stopped by another's error.
struct TStopped {};

// What the threads share: the blocks' queued chunks, the block being written and the spare
// memory, under one lock.
class TBlockQueue {
public:
    TBlockQueue(TTableBlocks& blocks, unsigned threads)
        : Blocks(blocks), Ahead(16 * threads), Slots(Ahead) {}

    // The next block and its number; false when there is none left or the run stopped.
    bool Take(TTableBlock& block, std::size_t& number);
    // Queues a block's chunk, waiting while that block has enough queued; gives back spare memory.
    TChunk Put(std::size_t number, TChunk chunk);
    void Finish(std::size_t number);
    // Stops the run; the first error is the one raised.
    void Fail(std::exception_ptr error);
    // Hands every block's chunks to output in order.
    void Drain(TOutputLines& output);

private:
    struct TSlot {
        std::deque<TChunk> Chunks;
        bool Done = false;
    };
    // Enough for a block's output to be handed on while the next is written.
    static constexpr std::size_t MostQueued = 2;
    // The memory that the chunks of blocks ahead of the one being written may have touched:
    // many blocks ahead keep every thread busy through the system's scheduling, but never more
    // than this. A chunk's memory, once touched, stays so: its largest size is what counts.
    static constexpr std::size_t MostQueuedBytes = std::size_t{24} << 20;
    // And the memory kept for the chunks to come.
    static constexpr std::size_t MostSpareBytes = std::size_t{8} << 20;

    TSlot& SlotOf(std::size_t number) { return Slots[number % Ahead]; }

    TTableBlocks& Blocks;
    const std::size_t Ahead;
    std::mutex Cutting;  // cutting blocks takes its time: the chunks go on meanwhile
    std::mutex Lock;
    std::condition_variable Changed;
    std::vector<TSlot> Slots;
    std::vector<TChunk> Spare;
    std::size_t QueuedBytes = 0;
    std::size_t SpareBytes = 0;
    std::size_t Taken = 0;
    std::size_t Head = 0;  // the block being written
    bool AllTaken = false;
    bool Stopped = false;
    std::exception_ptr Error;
};

bool TBlockQueue::Take(TTableBlock& block, std::size_t& number)
{
    const std::lock_guard cutting(Cutting);
    {
        std::unique_lock lock(Lock);
        Changed.wait(lock, [&] { return Stopped || AllTaken || Taken < Head + Ahead; });
        if (Stopped || AllTaken)
            return false;
    }
    const bool taken = Blocks.Next(block);
    const std::lock_guard lock(Lock);
    AllTaken = !taken;
    number = Taken;
    Taken += taken;
    Changed.notify_all();
    return taken;
}

TChunk TBlockQueue::Put(std::size_t number, TChunk chunk)
{
    std::unique_lock lock(Lock);
    TSlot& slot = SlotOf(number);
    chunk.Used = std::max(chunk.Used, chunk.Size);
    // The block being written always may: its chunks go out whatever the others hold.
    Changed.wait(lock, [&] {
        return Stopped || (slot.Chunks.size() < MostQueued
                           && (number == Head || QueuedBytes + chunk.Used <= MostQueuedBytes));
    });
    if (Stopped)
        throw TStopped();
    QueuedBytes += chunk.Used;
    slot.Chunks.push_back(std::move(chunk));
    Changed.notify_all();
    if (Spare.empty())
        return {};
    TChunk spare = std::move(Spare.back());
    Spare.pop_back();
    SpareBytes -= spare.Used;
    return spare;
}

void TBlockQueue::Finish(std::size_t number)
{
    const std::lock_guard lock(Lock);
    SlotOf(number).Done = true;
    Changed.notify_all();
}

void TBlockQueue::Fail(std::exception_ptr error)
{
    const std::lock_guard lock(Lock);
    if (!Error)
        Error = error;
    Stopped = true;
    Changed.notify_all();
}

void TBlockQueue::Drain(TOutputLines& output)
{
    std::unique_lock lock(Lock);
    for (;;) {
        TSlot& slot = SlotOf(Head);
        Changed.wait(lock, [&] { return Stopped || !slot.Chunks.empty() || slot.Done || (AllTaken && Head == Taken); });
        if (Stopped)
            std::rethrow_exception(Error);
        if (!slot.Chunks.empty()) {
            TChunk chunk = std::move(slot.Chunks.front());
            slot.Chunks.pop_front();
            QueuedBytes -= chunk.Used;
            Changed.notify_all();
            lock.unlock();
            TChunk spare = output.AppendChunk(std::move(chunk));
            lock.lock();
            // Memory beyond what is kept goes back to the system.
            if (spare.Data && SpareBytes + spare.Used <= MostSpareBytes) {
                SpareBytes += spare.Used;
                Spare.push_back(std::move(spare));
            }
        } else if (slot.Done) {
            slot.Done = false;
            ++Head;
            Changed.notify_all();
        } else {
            return;  // every block written
        }
    }
}

// A thread's output, whose chunks go to the queue under the number of the block it converts.
class TBlockSink final : public TChunkSink {
public:
    explicit TBlockSink(TBlockQueue& queue) : Queue(queue) {}
    TChunk Take(TChunk chunk) override { return Queue.Put(Number, std::move(chunk)); }
    std::size_t Number = 0;

private:
    TBlockQueue& Queue;
};

void ConvertBlocks(TBlockQueue& queue, const TConvertBlock& convert)
{
    // The writing is what the run waits for: converting takes the cores it leaves.
    LowerThreadPriority();
    try {
        TBlockSink sink(queue);
        TOutputLines output(&sink);
        TTableBlock block;
        while (queue.Take(block, sink.Number)) {
            convert(block, output);
            output.Flush();
            queue.Finish(sink.Number);
        }
    } catch (const TStopped&) {
    } catch (...) {
        queue.Fail(std::current_exception());
    }
}

}  // namespace

void ConvertBlocksInOrder(TTableBlocks& blocks, const TConvertBlock& convert, TOutputLines& output, unsigned threads)
{
    TBlockQueue queue(blocks, threads);
    std::vector<std::jthread> workers;
    try {
        for (unsigned i = 0; i < threads; ++i)
            workers.emplace_back([&] { ConvertBlocks(queue, convert); });
        queue.Drain(output);
    } catch (...) {
        // The threads stop before they are joined, whoever failed.
        queue.Fail(std::current_exception());
        throw;
    }
}

}  // namespace tabulor

#include "workbook/zip/prefetch_reader.h"

#include <algorithm>
#include <cstring>

namespace tabulor::zip {

TPrefetchReader::TPrefetchReader(std::unique_ptr<TByteReader> source)
    : Source(std::move(source)), Producer([this] { Produce(); })
{
}

TPrefetchReader::~TPrefetchReader()
{
    {
        const std::lock_guard lock(Mutex);
        Stopping = true;
    }
    Changed.notify_all();
    Producer.join();
}

// Fills the block until it is full or the source ends or fails, and returns the failure.
std::exception_ptr TPrefetchReader::FillBlock(std::string& block)
{
    std::size_t size = 0;
    std::exception_ptr failure;
    try {
        block.resize(BlockSize);
        while (size < BlockSize) {
            const std::size_t count = Source->Read(block.data() + size, BlockSize - size);
            if (count == 0)
                break;
            size += count;
        }
    } catch (...) {
        failure = std::current_exception();
    }
    block.resize(std::min(size, block.size()));
    return failure;
}

void TPrefetchReader::Produce()
{
    for (bool more = true; more;) {
        std::string block;
        {
            std::unique_lock lock(Mutex);
            Changed.wait(lock, [this] { return Stopping || Ready.size() < MaxReadyBlocks; });
            if (Stopping)
                return;
            if (!Spare.empty()) {
                block = std::move(Spare.back());
                Spare.pop_back();
            }
        }
        const std::exception_ptr failure = FillBlock(block);
        more = !failure && block.size() == BlockSize;
        {
            const std::lock_guard lock(Mutex);
            Failure = failure;
            if (!block.empty())
                Ready.push_back(std::move(block));
            Ended = !more;
        }
        Changed.notify_all();
    }
}

std::size_t TPrefetchReader::Read(char* buffer, std::size_t size)
{
    if (Consumed == Current.size()) {
        std::unique_lock lock(Mutex);
        Changed.wait(lock, [this] { return !Ready.empty() || Ended; });
        if (Ready.empty()) {
            if (Failure)
                std::rethrow_exception(Failure);
            return 0;
        }
        Spare.push_back(std::move(Current));
        Current = std::move(Ready.front());
        Ready.pop_front();
        Consumed = 0;
        lock.unlock();
        Changed.notify_all();
    }
    const std::size_t count = std::min(size, Current.size() - Consumed);
    std::memcpy(buffer, Current.data() + Consumed, count);
    Consumed += count;
    return count;
}

}  // namespace tabulor::zip

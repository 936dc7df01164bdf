#include "background_writer.h"

#include <utility>

namespace tabulor {

TBackgroundWriter::~TBackgroundWriter()
{
    if (!Thread.joinable())
        return;
    {
        const std::lock_guard lock(Lock);
        Closing = true;
    }
    Changed.notify_all();
    Thread.join();
}

TChunk TBackgroundWriter::Take(TChunk chunk)
{
    std::unique_lock lock(Lock);
    WaitIdle(lock);
    TChunk done = std::exchange(Writing, std::move(chunk));
    Busy = true;
    if (!Thread.joinable())
        Thread = std::thread([this] { WriteChunks(); });
    lock.unlock();
    Changed.notify_all();
    return done;
}

void TBackgroundWriter::Wait()
{
    std::unique_lock lock(Lock);
    WaitIdle(lock);
}

void TBackgroundWriter::WaitIdle(std::unique_lock<std::mutex>& lock)
{
    Changed.wait(lock, [&] { return !Busy; });
    if (Error)
        std::rethrow_exception(std::exchange(Error, nullptr));
}

void TBackgroundWriter::WriteChunks()
{
    std::unique_lock lock(Lock);
    for (;;) {
        Changed.wait(lock, [&] { return Busy || Closing; });
        if (!Busy)
            return;
        lock.unlock();
        try {
            Target.Write(Writing.Bytes());
        } catch (...) {
            lock.lock();
            Error = std::current_exception();
            lock.unlock();
        }
        lock.lock();
        Busy = false;
        Changed.notify_all();
    }
}

}  // namespace tabulor

#include "background_writer.h"

#include <utility>

namespace tabulor {

TBackgroundWriter::~TBackgroundWriter()
{
    Stop();
}

// The thread ends as soon as it has written what it holds, so that waiting for the last chunk
// costs no more than waiting for the thread; the next Take starts another.
void TBackgroundWriter::Stop() noexcept
{
    if (!Thread.joinable())
        return;
    {
        const std::lock_guard lock(Lock);
        Closing = true;
    }
    Changed.notify_all();
    Thread.join();
    Closing = false;
}

TChunk TBackgroundWriter::Take(TChunk chunk)
{
    if (!Thread.joinable()) {
        if (!Held) {
            Held = true;
            return std::exchange(Writing, std::move(chunk));
        }
        // More than one chunk: the held one is written here, the others on the thread.
        WriteHeld();
    }
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
    if (Held)
        WriteHeld();
    Stop();
    if (Error)
        std::rethrow_exception(std::exchange(Error, nullptr));
}

void TBackgroundWriter::WriteHeld()
{
    Held = false;
    Target.Write(Writing.Bytes());
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

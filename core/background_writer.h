// Hands each chunk to another sink on a thread of its own and returns at once, so that the disk
// writes the output while the table builds its next chunk. The conversion stays one call that
// returns when every byte is written: Wait, and any later Write, raise the target's errors.
//
// It does not copy the bytes: they must stay as they are until the next Write, Release or Wait
// returns, which is what TOutputLines promises its sink.
#pragma once

#include <future>

#include "output_lines.h"

namespace tabulor {

class TBackgroundWriter : public TByteSink {
public:
    explicit TBackgroundWriter(TByteSink& target) : Target(target) {}
    ~TBackgroundWriter() override { Release(); }

    void Write(std::string_view bytes) override;

    // Lets a write under way finish, so that neither its bytes nor the target go from under it.
    // Its error, if any, stays for Wait.
    void Release() noexcept override;

    // Returns when the last chunk is written; raises the error its writing raised.
    void Wait();

private:
    TByteSink& Target;
    std::future<void> Pending;
};

}  // namespace tabulor

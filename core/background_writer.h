// Hands each chunk to another sink on a thread of its own and returns at once, so that the disk
// writes the output while the table builds its next chunk. The conversion stays one call that
// returns when every byte is written: Wait, and any later Write, raise the target's errors.
//
// It does not copy the bytes: they must stay as they are until the next Write or Wait returns,
// which is what TOutputLines promises its sink.
#pragma once

#include <future>

#include "output_lines.h"

namespace tabulor {

class TBackgroundWriter : public TByteSink {
public:
    explicit TBackgroundWriter(TByteSink& target) : Target(target) {}
    // Lets a write under way finish, so that the target is not closed under it; its error, if
    // any, is dropped, as another one is already on its way.
    ~TBackgroundWriter() override;

    void Write(std::string_view bytes) override;

    // Returns when the last chunk is written; raises the error its writing raised.
    void Wait();

private:
    TByteSink& Target;
    std::future<void> Pending;
};

}  // namespace tabulor

#include "background_writer.h"

namespace tabulor {

void TBackgroundWriter::Release() noexcept
{
    if (Pending.valid())
        Pending.wait();
}

void TBackgroundWriter::Write(std::string_view bytes)
{
    Wait();
    Pending = std::async(std::launch::async, [this, bytes] { Target.Write(bytes); });
}

void TBackgroundWriter::Wait()
{
    if (Pending.valid())
        Pending.get();
}

}  // namespace tabulor

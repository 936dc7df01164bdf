#include "thread_priority.h"

#include <sys/resource.h>

#include <cerrno>

namespace tabulor {

// Linux keeps a nice value for each thread; elsewhere it is the whole process's, which would
// slow the window's thread too.
void LowerThreadPriority()
{
#ifdef __linux__
    constexpr int Step = 8;
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, 0);
    if (errno == 0)
        ::setpriority(PRIO_PROCESS, 0, nice + Step);
#endif
}

}  // namespace tabulor

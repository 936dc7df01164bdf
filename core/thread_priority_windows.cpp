#include "thread_priority.h"

#include <windows.h>

namespace tabulor {

void LowerThreadPriority()
{
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

}  // namespace tabulor

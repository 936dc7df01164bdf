// The priority of the threads that convert blocks, below that of the one that writes: the run
// waits for the writing, and converting is ahead of it as long as it takes the cores it leaves.
#pragma once

namespace tabulor {

// Lowers the calling thread's priority, and its alone; does nothing where the system cannot.
void LowerThreadPriority();

}  // namespace tabulor

// A mapped file that another program cuts short raises SIGBUS on the pages past its new end,
// which would end the process in the middle of a run. A guarded mapping has zeros mapped there
// instead, so that reading it goes on, and is marked as cut: the run that read it then fails as
// on a source it could not read.
//
// It guards no other memory: a fault elsewhere goes to whatever handled SIGBUS before.
#pragma once

#include <cstddef>

namespace tabulor {

// False where no more mappings can be guarded at once; the file is then better read than mapped.
bool GuardMapping(const char* begin, std::size_t size);
void UnguardMapping(const char* begin);
bool MappingWasCut(const char* begin);

}  // namespace tabulor

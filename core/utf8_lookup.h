// The UTF-8 check's fastest windows: sixteen bytes classified at once by table lookups of their
// halves, whatever characters they hold, with SSSE3 where the processor has it. Built with GCC
// or Clang for x86-64 only; elsewhere, or without SSSE3 at run time, the check takes SSE2's
// windows or a character at a time.
#pragma once

#include <cstddef>

namespace tabulor {

// Whether SkipWellFormedByLookup may be called here.
bool CanLookUpUtf8();

// From a character's first byte, sixteen bytes at a time while they are well-formed UTF-8 and
// hold no NUL: returns a character's first byte at most six before the window that is not, or
// before the last fifteen bytes, from which a character at a time must go on.
std::size_t SkipWellFormedByLookup(const unsigned char* bytes, std::size_t size, std::size_t position);

}  // namespace tabulor

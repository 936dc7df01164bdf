// Finds, sixteen bytes at a time, the next of a few chosen bytes, or of those and any byte from
// 0x80 up: the bytes of a row that need more than copying, the line ends of a text. Built on
// SSE2, which every x86-64 processor has; elsewhere, or built with TABULOR_PLAIN_SCAN, there is
// none and the callers take a byte at a time.
#pragma once

#include <array>
#include <cstddef>

#if !defined(TABULOR_PLAIN_SCAN) && (defined(__SSE2__) || defined(_M_X64))
#include <emmintrin.h>
#define TABULOR_VECTOR_SCAN 1
#endif

namespace tabulor {

#ifdef TABULOR_VECTOR_SCAN

// The bytes looked at at once.
inline constexpr std::size_t ScanWidth = 16;

// Count bytes below 0x80 to find.
template <std::size_t Count>
class TByteFinder {
public:
    explicit TByteFinder(const std::array<char, Count>& bytes)
    {
        for (std::size_t i = 0; i < Count; ++i)
            Wanted[i] = _mm_set1_epi8(bytes[i]);
    }

    // Bit i set where p[i] is wanted or from 0x80 up; the sixteen bytes at p must be readable.
    unsigned Find(const char* p) const
    {
        const __m128i bytes = Load(p);
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(Matches(bytes), bytes)));
    }

    // Bit i set where p[i] is wanted, whatever the bytes from 0x80 up.
    unsigned FindExactly(const char* p) const { return static_cast<unsigned>(_mm_movemask_epi8(Matches(Load(p)))); }

private:
    static __m128i Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

    __m128i Matches(__m128i bytes) const
    {
        __m128i found = _mm_cmpeq_epi8(bytes, Wanted[0]);
        for (std::size_t i = 1; i < Count; ++i)
            found = _mm_or_si128(found, _mm_cmpeq_epi8(bytes, Wanted[i]));
        return found;
    }

    __m128i Wanted[Count];
};

#endif

}  // namespace tabulor

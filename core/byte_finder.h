// Finds, sixteen bytes at a time, the next of a few chosen bytes, or of those and any byte from
// 0x80 up: the bytes of a row that need more than copying, the line ends of a text. Built on SSE2, which every x86-64 processor has;
// elsewhere, or built with TABULOR_PLAIN_SCAN, there is none (VectorScan is false) and the row
// writer takes every byte through its table.
#pragma once

#include <cstddef>
#include <initializer_list>

#if !defined(TABULOR_PLAIN_SCAN) && (defined(__SSE2__) || defined(_M_X64))
#include <emmintrin.h>
#define TABULOR_VECTOR_SCAN 1
#endif

namespace tabulor {

#ifdef TABULOR_VECTOR_SCAN

inline constexpr bool VectorScan = true;

class TByteFinder {
public:
    static constexpr std::size_t Width = 16;

    // One to five bytes below 0x80.
    TByteFinder(std::initializer_list<char> bytes)
    {
        // The first stands in for those not given, so that every search makes the same steps.
        for (__m128i& wanted : Wanted)
            wanted = _mm_set1_epi8(*bytes.begin());
        int i = 0;
        for (const char byte : bytes)
            Wanted[i++] = _mm_set1_epi8(byte);
    }

    // Bit i set where p[i] is wanted or from 0x80 up; the sixteen bytes at p must be readable.
    unsigned Find(const char* p) const
    {
        const __m128i bytes = Load(p);
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(Matches(bytes), bytes)));
    }

    // Bit i set where p[i] is wanted, whatever the bytes from 0x80 up.
    unsigned FindExactly(const char* p) const
    {
        return static_cast<unsigned>(_mm_movemask_epi8(Matches(Load(p))));
    }

private:
    static __m128i Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

    __m128i Matches(__m128i bytes) const
    {
        return _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, Wanted[0]), _mm_cmpeq_epi8(bytes, Wanted[1])),
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, Wanted[2]), _mm_cmpeq_epi8(bytes, Wanted[3])),
                         _mm_cmpeq_epi8(bytes, Wanted[4])));
    }

    __m128i Wanted[5];
};

#else

inline constexpr bool VectorScan = false;

#endif

}  // namespace tabulor

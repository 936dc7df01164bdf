#include "utf8_lookup.h"

#include "byte_finder.h"

#if defined(TABULOR_VECTOR_SCAN) && defined(__GNUC__) && defined(__x86_64__)
#include <tmmintrin.h>
#define TABULOR_UTF8_LOOKUP 1
#endif

namespace tabulor {

#ifdef TABULOR_UTF8_LOOKUP

namespace {

// What can be wrong with a byte and the one before it, as bits: each table gives the faults its
// half of the pair may be part of, and a fault is there where all three agree.
constexpr char TooShort = 1 << 0;      // a first byte, then no continuation
constexpr char TooLong = 1 << 1;       // a continuation after ASCII
constexpr char Overlong3 = 1 << 2;     // E0 80..9F
constexpr char TooLarge = 1 << 3;      // F4 90.., F5 and up
constexpr char Surrogate = 1 << 4;     // ED A0..BF
constexpr char Overlong2 = 1 << 5;     // C0, C1
constexpr char TooLarge1000 = 1 << 6;  // F5 and up followed by 80..8F
constexpr char Overlong4 = 1 << 6;     // F0 80..8F
constexpr char TwoContinuations = static_cast<char>(1 << 7);
constexpr char Carry = TooShort | TooLong | TwoContinuations;

__attribute__((target("ssse3"))) __m128i Table(char a, char b, char c, char d, char e, char f, char g, char h,
                                                char i, char j, char k, char l, char m, char n, char o, char p)
{
    return _mm_setr_epi8(a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p);
}

__attribute__((target("ssse3"))) __m128i Look(__m128i table, __m128i nibbles)
{
    return _mm_shuffle_epi8(table, nibbles);
}

__attribute__((target("ssse3"))) __m128i HighNibbles(__m128i bytes)
{
    return _mm_and_si128(_mm_srli_epi16(bytes, 4), _mm_set1_epi8(0x0F));
}

// Bytes that are not 0 where the window is not well-formed, given the window before it.
__attribute__((target("ssse3"))) __m128i Faults(__m128i input, __m128i previous)
{
    const __m128i firstHigh = Table(TooLong, TooLong, TooLong, TooLong, TooLong, TooLong, TooLong, TooLong,
                                    TwoContinuations, TwoContinuations, TwoContinuations, TwoContinuations,
                                    TooShort | Overlong2, TooShort, TooShort | Overlong3 | Surrogate,
                                    TooShort | TooLarge | TooLarge1000 | Overlong4);
    constexpr char large = Carry | TooLarge | TooLarge1000;
    const __m128i firstLow = Table(Carry | Overlong3 | Overlong2 | Overlong4, Carry | Overlong2, Carry, Carry,
                                   Carry | TooLarge, large, large, large, large, large, large, large, large,
                                   large | Surrogate, large, large);
    constexpr char continuation = TooLong | Overlong2 | TwoContinuations;
    const __m128i secondHigh = Table(TooShort, TooShort, TooShort, TooShort, TooShort, TooShort, TooShort, TooShort,
                                     continuation | Overlong3 | TooLarge1000 | Overlong4,
                                     continuation | Overlong3 | TooLarge, continuation | Surrogate | TooLarge,
                                     continuation | Surrogate | TooLarge, TooShort, TooShort, TooShort, TooShort);
    const __m128i prev1 = _mm_alignr_epi8(input, previous, 15);
    const __m128i special = _mm_and_si128(
        _mm_and_si128(Look(firstHigh, HighNibbles(prev1)), Look(firstLow, _mm_and_si128(prev1, _mm_set1_epi8(0x0F)))),
        Look(secondHigh, HighNibbles(input)));
    // The third and fourth bytes of a character must be continuations, and nothing else may.
    const __m128i prev2 = _mm_alignr_epi8(input, previous, 14);
    const __m128i prev3 = _mm_alignr_epi8(input, previous, 13);
    const __m128i third = _mm_subs_epu8(prev2, _mm_set1_epi8(static_cast<char>(0xE0 - 0x80)));
    const __m128i fourth = _mm_subs_epu8(prev3, _mm_set1_epi8(static_cast<char>(0xF0 - 0x80)));
    const __m128i must = _mm_and_si128(_mm_or_si128(third, fourth), _mm_set1_epi8(static_cast<char>(0x80)));
    return _mm_or_si128(_mm_xor_si128(must, special), _mm_cmpeq_epi8(input, _mm_setzero_si128()));
}

}  // namespace

bool CanLookUpUtf8()
{
    static const bool can = __builtin_cpu_supports("ssse3");
    return can;
}

__attribute__((target("ssse3"))) std::size_t SkipWellFormedByLookup(const unsigned char* bytes, std::size_t size,
                                                                    std::size_t position)
{
    const std::size_t start = position;
    __m128i previous = _mm_setzero_si128();
    for (; size - position >= ScanWidth; position += ScanWidth) {
        const __m128i input = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + position));
        const __m128i faults = Faults(input, previous);
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(faults, _mm_setzero_si128())) != 0xFFFF)
            break;
        previous = input;
    }
    // A character may have begun in the last three bytes looked at and not have ended: from the
    // first byte of the one that covers them.
    std::size_t back = position - start < 3 ? start : position - 3;
    while (back > start && (bytes[back] & 0xC0) == 0x80)
        --back;
    return back;
}

#else

bool CanLookUpUtf8()
{
    return false;
}

std::size_t SkipWellFormedByLookup(const unsigned char*, std::size_t, std::size_t position)
{
    return position;
}

#endif

}  // namespace tabulor

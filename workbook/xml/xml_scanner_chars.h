// The scanner's bytes: which may start or continue a name, which are white space, and the search
// for the next byte that ends a plain run of text, sixteen at a time where SSE2 is there.
//
// Names are ASCII only here: a name with any other letter is the platform parser's to read.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <cstdint>

#if !defined(TABULOR_PLAIN_SCAN) && (defined(__SSE2__) || defined(_M_X64))
#include <emmintrin.h>
#define TABULOR_XML_VECTOR 1
#endif

namespace tabulor::xml {

// A byte's classes, bits of one mask so that a single load of Classes answers for any of them:
// a letter both starts and continues a name. Plain constants rather than an enum class, which
// would need a cast at each test in the scanner's loops.
struct TCharClass {
    static constexpr std::uint8_t NameStart = 1;
    static constexpr std::uint8_t Name = 2;
    static constexpr std::uint8_t Space = 4;
};

inline constexpr std::array<std::uint8_t, 256> Classes = [] {
    constexpr std::uint8_t letter = TCharClass::NameStart | TCharClass::Name;
    std::array<std::uint8_t, 256> classes{};
    for (int c = 'a'; c <= 'z'; ++c)
        classes[static_cast<std::size_t>(c)] = classes[static_cast<std::size_t>(c - 'a' + 'A')] = letter;
    classes['_'] = letter;
    for (int c = '0'; c <= '9'; ++c)
        classes[static_cast<std::size_t>(c)] = TCharClass::Name;
    classes['-'] = classes['.'] = TCharClass::Name;
    classes[' '] = classes['\t'] = classes['\n'] = classes['\r'] = TCharClass::Space;
    return classes;
}();

inline bool Is(char c, std::uint8_t kind)
{
    return (Classes[static_cast<unsigned char>(c)] & kind) != 0;
}

inline const char* SkipSpace(const char* p)
{
    while (Is(*p, TCharClass::Space))
        ++p;
    return p;
}

// The first byte from p on that is a, b or c, below 0x20 or from 0x80 up. There must be one
// within the sixteen bytes that follow any byte it reads: the scanner's buffer ends with a NUL
// and sixteen readable bytes.
inline const char* FindSpecial(const char* p, char a, char b, char c)
{
#ifdef TABULOR_XML_VECTOR
    const __m128i wantedA = _mm_set1_epi8(a);
    const __m128i wantedB = _mm_set1_epi8(b);
    const __m128i wantedC = _mm_set1_epi8(c);
    const __m128i space = _mm_set1_epi8(0x20);
    for (;; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i found = _mm_or_si128(_mm_cmpeq_epi8(bytes, wantedA), _mm_cmpeq_epi8(bytes, wantedB));
        // Signed, the comparison takes the bytes from 0x80 up with those below 0x20.
        found = _mm_or_si128(found, _mm_or_si128(_mm_cmpeq_epi8(bytes, wantedC), _mm_cmplt_epi8(bytes, space)));
        if (const auto bits = static_cast<unsigned>(_mm_movemask_epi8(found)); bits != 0)
            return p + std::countr_zero(bits);
    }
#else
    for (;; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 0x20 || byte >= 0x80 || *p == a || *p == b || *p == c)
            return p;
    }
#endif
}

// Where an ASCII name ends, and its colons.
struct TNameEnd {
    const char* End;
    const char* Colon;  // the first, or null
    int Colons;
};

// From p on, the first byte that cannot be part of an ASCII name: anything but letters, digits
// and "-._:". The same bound as FindSpecial's: a NUL stops it.
inline TNameEnd FindNameEnd(const char* p)
{
    TNameEnd name{nullptr, nullptr, 0};
    // Most names are a few letters: a byte at a time is quicker for those.
    for (const char* stop = p + 8; p != stop; ++p) {
        if (Is(*p, TCharClass::Name))
            continue;
        if (*p != ':') {
            name.End = p;
            return name;
        }
        if (name.Colons++ == 0)
            name.Colon = p;
    }
#ifdef TABULOR_XML_VECTOR
    const auto between = [](__m128i bytes, char low, char high) {
        return _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8(static_cast<char>(low - 1))),
                             _mm_cmplt_epi8(bytes, _mm_set1_epi8(static_cast<char>(high + 1))));
    };
    for (;; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // Signed, the first comparison takes the bytes from 0x80 up with those below '-'.
        __m128i found = _mm_or_si128(_mm_cmplt_epi8(bytes, _mm_set1_epi8('-')), _mm_cmpgt_epi8(bytes, _mm_set1_epi8('z')));
        found = _mm_or_si128(found, _mm_cmpeq_epi8(bytes, _mm_set1_epi8('/')));
        found = _mm_or_si128(found, _mm_or_si128(between(bytes, ';', '@'), between(bytes, '[', '^')));
        found = _mm_or_si128(found, _mm_cmpeq_epi8(bytes, _mm_set1_epi8('`')));
        const auto ends = static_cast<unsigned>(_mm_movemask_epi8(found));
        auto colons = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(':'))));
        if (ends != 0)
            colons &= (ends & (0 - ends)) - 1;  // those before the end
        if (colons != 0 && name.Colon == nullptr)
            name.Colon = p + std::countr_zero(colons);
        name.Colons += (colons != 0) + ((colons & (colons - 1)) != 0);  // two stand for more
        if (ends != 0) {
            name.End = p + std::countr_zero(ends);
            return name;
        }
    }
#else
    for (; Is(*p, TCharClass::Name) || *p == ':'; ++p) {
        if (*p == ':' && name.Colons++ == 0)
            name.Colon = p;
    }
    name.End = p;
    return name;
#endif
}

// Names are short: comparing them in place, eight bytes at a time, costs less than a call to
// memcmp.
inline bool SameBytes(const char* a, const char* b, std::size_t size)
{
    for (; size >= 8; a += 8, b += 8, size -= 8) {
        std::uint64_t x = 0;
        std::uint64_t y = 0;
        std::memcpy(&x, a, 8);
        std::memcpy(&y, b, 8);
        if (x != y)
            return false;
    }
    for (std::size_t i = 0; i < size; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

inline bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && SameBytes(a.data(), b.data(), a.size());
}

// Whether XML allows the character.
inline bool IsXmlChar(std::uint32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
           || (c >= 0x10000 && c <= 0x10FFFF);
}


}  // namespace tabulor::xml

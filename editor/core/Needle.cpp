#include "Needle.h"

#include <algorithm>
#include <cstring>

#include "CharClass.h"
#include "Simd.h"
#include "TextSearch.h"

namespace tessaly::editor {

namespace {

bool IsLetter(unsigned char c)
{
    const unsigned char lower = c | 0x20;
    return lower >= 'a' && lower <= 'z';
}

// The two bytes compared first, and where the second lies after the first.
struct FilterBytes {
    unsigned char firstValue, firstFold, lastValue, lastFold;
    std::size_t lastAt;
};

#if TESSALY_HAVE_SSE2_PATH
struct FilterVectors {
    __m128i firstValue, firstFold, lastValue, lastFold;
};

__attribute__((target("sse2"))) inline FilterVectors Vectors(const FilterBytes& f)
{
    return {_mm_set1_epi8(static_cast<char>(f.firstValue)), _mm_set1_epi8(static_cast<char>(f.firstFold)),
            _mm_set1_epi8(static_cast<char>(f.lastValue)), _mm_set1_epi8(static_cast<char>(f.lastFold))};
}

// The sixteen positions from p on where both filter bytes agree, as a vector of 0 or 0xFF.
__attribute__((target("sse2"))) inline __m128i Candidates(const char* p, std::size_t lastAt, const FilterVectors& v)
{
    const __m128i first = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), v.firstFold);
    const __m128i last = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + lastAt)), v.lastFold);
    return _mm_and_si128(_mm_cmpeq_epi8(first, v.firstValue), _mm_cmpeq_epi8(last, v.lastValue));
}

__attribute__((target("sse2"))) inline unsigned Mask(__m128i v)
{
    return static_cast<unsigned>(_mm_movemask_epi8(v));
}

// Sixty-four positions at a time, most of which pass no filter at all; then sixteen. Each
// candidate, lowest first, goes to `matches`. Returns the first match, or -1 and where it
// stopped in `stopped` (the rest is left to the plain loop).
template <typename Matches>
__attribute__((target("sse2"))) std::ptrdiff_t FirstSse2(const char* data, std::size_t from, std::size_t to,
                                                         const FilterBytes& f, Matches&& matches, std::size_t& stopped)
{
    const FilterVectors v = Vectors(f);
    const auto firstOf = [&](unsigned mask, std::size_t base) -> std::ptrdiff_t {
        for (; mask; mask &= mask - 1) {
            const std::size_t at = base + static_cast<std::size_t>(__builtin_ctz(mask));
            if (matches(at))
                return static_cast<std::ptrdiff_t>(at);
        }
        return -1;
    };
    std::size_t i = from;
    for (; i + 64 <= to; i += 64) {
        const __m128i c0 = Candidates(data + i, f.lastAt, v);
        const __m128i c1 = Candidates(data + i + 16, f.lastAt, v);
        const __m128i c2 = Candidates(data + i + 32, f.lastAt, v);
        const __m128i c3 = Candidates(data + i + 48, f.lastAt, v);
        if (Mask(_mm_or_si128(_mm_or_si128(c0, c1), _mm_or_si128(c2, c3))) == 0)
            continue;
        if (const std::ptrdiff_t at = firstOf(Mask(c0) | Mask(c1) << 16, i); at >= 0)
            return at;
        if (const std::ptrdiff_t at = firstOf(Mask(c2) | Mask(c3) << 16, i + 32); at >= 0)
            return at;
    }
    for (; i + 16 <= to; i += 16) {
        if (const std::ptrdiff_t at = firstOf(Mask(Candidates(data + i, f.lastAt, v)), i); at >= 0)
            return at;
    }
    stopped = i;
    return -1;
}

// The mirror image: highest first, downwards from `to`; the plain loop does [from, stopped).
template <typename Matches>
__attribute__((target("sse2"))) std::ptrdiff_t LastSse2(const char* data, std::size_t from, std::size_t to,
                                                        const FilterBytes& f, Matches&& matches, std::size_t& stopped)
{
    const FilterVectors v = Vectors(f);
    const auto lastOf = [&](unsigned mask, std::size_t base) -> std::ptrdiff_t {
        while (mask) {
            const int bit = 31 - __builtin_clz(mask);
            const std::size_t at = base + static_cast<std::size_t>(bit);
            if (matches(at))
                return static_cast<std::ptrdiff_t>(at);
            mask &= ~(1u << bit);
        }
        return -1;
    };
    std::size_t i = to;
    while (i - from >= 64) {
        i -= 64;
        const __m128i c0 = Candidates(data + i, f.lastAt, v);
        const __m128i c1 = Candidates(data + i + 16, f.lastAt, v);
        const __m128i c2 = Candidates(data + i + 32, f.lastAt, v);
        const __m128i c3 = Candidates(data + i + 48, f.lastAt, v);
        if (Mask(_mm_or_si128(_mm_or_si128(c0, c1), _mm_or_si128(c2, c3))) == 0)
            continue;
        if (const std::ptrdiff_t at = lastOf(Mask(c2) | Mask(c3) << 16, i + 32); at >= 0)
            return at;
        if (const std::ptrdiff_t at = lastOf(Mask(c0) | Mask(c1) << 16, i); at >= 0)
            return at;
    }
    while (i - from >= 16) {
        i -= 16;
        if (const std::ptrdiff_t at = lastOf(Mask(Candidates(data + i, f.lastAt, v)), i); at >= 0)
            return at;
    }
    stopped = i;
    return -1;
}
#endif

}  // namespace

Needle::Needle(const FindOptions& options)
    : m_what(options.what), m_matchCase(options.matchCase), m_wholeWord(options.wholeWord),
      m_lastAt(m_what.empty() ? 0 : m_what.size() - 1)
{
    if (m_what.empty())
        return;
    if (!m_matchCase) {
        for (char& c : m_what)
            c = FoldCase(c);
    }
    const auto filter = [this](char c, unsigned char& value, unsigned char& fold) {
        const unsigned char u = static_cast<unsigned char>(c);
        fold = !m_matchCase && IsLetter(u) ? 0x20 : 0;
        value = u | fold;
    };
    filter(m_what.front(), m_firstValue, m_firstFold);
    filter(m_what.back(), m_lastValue, m_lastFold);
}

bool Needle::Filter(const char* at) const
{
    return (static_cast<unsigned char>(at[0]) | m_firstFold) == m_firstValue &&
           (static_cast<unsigned char>(at[m_lastAt]) | m_lastFold) == m_lastValue;
}

bool Needle::MatchesAt(const char* data, std::size_t size, std::size_t at) const
{
    const std::size_t m = m_what.size();
    if (m == 0 || at > size || size - at < m)
        return false;
    const char* p = data + at;
    if (m_matchCase) {
        if (std::memcmp(p, m_what.data(), m) != 0)
            return false;
    } else {
        for (std::size_t i = 0; i < m; ++i) {
            if (FoldCase(p[i]) != m_what[i])
                return false;
        }
    }
    if (!m_wholeWord)
        return true;
    if (at > 0 && IsWordByte(data[at - 1]))
        return false;
    if (at + m < size && IsWordByte(data[at + m]))
        return false;
    return true;
}

std::ptrdiff_t Needle::FindFirst(const char* data, std::size_t size, std::size_t from, std::size_t to) const
{
    const std::size_t m = m_what.size();
    if (m == 0 || size < m)
        return -1;
    to = std::min(to, size - m + 1);
    if (from >= to)
        return -1;
    const auto matches = [&](std::size_t at) { return MatchesAt(data, size, at); };
    std::size_t i = from;
#if TESSALY_HAVE_SSE2_PATH
    if (HaveSse2()) {
        const FilterBytes f{m_firstValue, m_firstFold, m_lastValue, m_lastFold, m_lastAt};
        if (const std::ptrdiff_t at = FirstSse2(data, from, to, f, matches, i); at >= 0)
            return at;
    }
#endif
    for (; i < to; ++i) {
        if (Filter(data + i) && matches(i))
            return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

std::ptrdiff_t Needle::FindLast(const char* data, std::size_t size, std::size_t from, std::size_t to) const
{
    const std::size_t m = m_what.size();
    if (m == 0 || size < m)
        return -1;
    to = std::min(to, size - m + 1);
    if (from >= to)
        return -1;
    const auto matches = [&](std::size_t at) { return MatchesAt(data, size, at); };
    std::size_t i = to;
#if TESSALY_HAVE_SSE2_PATH
    if (HaveSse2()) {
        const FilterBytes f{m_firstValue, m_firstFold, m_lastValue, m_lastFold, m_lastAt};
        if (const std::ptrdiff_t at = LastSse2(data, from, to, f, matches, i); at >= 0)
            return at;
    }
#endif
    while (i > from) {
        --i;
        if (Filter(data + i) && matches(i))
            return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

}  // namespace tessaly::editor

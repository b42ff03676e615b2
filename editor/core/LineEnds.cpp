#include "LineEnds.h"

#include <algorithm>

#include "Partitioning.h"
#include "Simd.h"

namespace tessaly::editor {

namespace {

// A line starts after an LF, and after a CR whose next byte is not an LF. The byte after
// each position scanned is known here, so no CR needs holding back.
inline bool EndsLineBefore(char c, char next)
{
    return c == '\n' || (c == '\r' && next != '\n');
}

#if TESSALY_HAVE_SSE2_PATH
// The line ends among sixteen bytes as a mask, told apart from the CR of a CR LF by
// comparing the bytes one further on.
__attribute__((target("sse2"))) inline __m128i EndsSse2(const char* p)
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    return _mm_or_si128(
        _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')),
        _mm_andnot_si128(_mm_cmpeq_epi8(next, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'))));
}

template <typename Starts>
inline void EmitStarts(unsigned mask, Pos after, Starts& out)
{
    while (mask) {
        out.push_back(static_cast<typename Starts::value_type>(after + __builtin_ctz(mask)));
        mask &= mask - 1;
    }
}

// Most masks hold no line end or one: the first is written whether or not it is there and
// kept only if it is, which saves the processor a branch it would often guess wrong.
inline void EmitStarts(unsigned mask, Pos after, StartsBuffer& out)
{
    // The low halves suffice: the offset from the base is below 4 GiB.
    const std::uint32_t at = static_cast<std::uint32_t>(after) - static_cast<std::uint32_t>(out.Base());
    out.PushOffsetIf(at + static_cast<std::uint32_t>(__builtin_ctz(mask | 0x80000000u)), mask != 0);
    mask &= mask - 1;
    while (mask) {
        out.PushOffset(at + static_cast<std::uint32_t>(__builtin_ctz(mask)));
        mask &= mask - 1;
    }
}

// The starts in a block of sixty-four bytes, given its LF and CR bytes as two masks of
// thirty-two each: a CR ends a line where the byte after it is no LF. `after` is the start
// that follows the block's first byte.
template <typename Starts>
inline void EmitBlockStarts(unsigned lfLo, unsigned lfHi, unsigned crLo, unsigned crHi, bool lfAfterBlock, Pos after,
                            Starts& out)
{
    unsigned endsLo = lfLo;
    unsigned endsHi = lfHi;
    if (crLo | crHi) {
        endsLo |= crLo & ~(lfLo >> 1 | lfHi << 31);
        endsHi |= crHi & ~(lfHi >> 1 | static_cast<unsigned>(lfAfterBlock) << 31);
    }
    EmitStarts(endsLo, after, out);
    EmitStarts(endsHi, after + 32, out);
}

__attribute__((target("sse2"))) inline unsigned Mask32(__m128i lo, __m128i hi)
{
    return static_cast<unsigned>(_mm_movemask_epi8(lo)) | static_cast<unsigned>(_mm_movemask_epi8(hi)) << 16;
}

// Sixty-four bytes at a time, most of which hold no line end at all; then sixteen. The LF
// and CR bytes are found as masks, and a CR ends a line where the LF mask, shifted by one,
// has no bit after it. Returns where it stopped.
template <typename Starts>
__attribute__((target("sse2"))) std::size_t StartsSse2(const char* data, std::size_t from, std::size_t to, Pos base,
                                                       Starts& out)
{
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    std::size_t i = from;
    // data[i + 64] is read, so the loop stops 64 bytes before `to` (whose byte is there).
    for (; i + 64 <= to; i += 64) {
        const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 16));
        const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 32));
        const __m128i v3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 48));
        const __m128i l0 = _mm_cmpeq_epi8(v0, lf), l1 = _mm_cmpeq_epi8(v1, lf);
        const __m128i l2 = _mm_cmpeq_epi8(v2, lf), l3 = _mm_cmpeq_epi8(v3, lf);
        const __m128i c0 = _mm_cmpeq_epi8(v0, cr), c1 = _mm_cmpeq_epi8(v1, cr);
        const __m128i c2 = _mm_cmpeq_epi8(v2, cr), c3 = _mm_cmpeq_epi8(v3, cr);
        const __m128i any = _mm_or_si128(_mm_or_si128(_mm_or_si128(l0, c0), _mm_or_si128(l1, c1)),
                                         _mm_or_si128(_mm_or_si128(l2, c2), _mm_or_si128(l3, c3)));
        if (_mm_movemask_epi8(any) == 0)
            continue;
        EmitBlockStarts(Mask32(l0, l1), Mask32(l2, l3), Mask32(c0, c1), Mask32(c2, c3), data[i + 64] == '\n',
                        base + static_cast<Pos>(i) + 1, out);
    }
    for (; i + 16 <= to; i += 16) {
        EmitStarts(static_cast<unsigned>(_mm_movemask_epi8(EndsSse2(data + i))), base + static_cast<Pos>(i) + 1, out);
    }
    return i;
}

// The same with thirty-two bytes to a vector, where the processor has them.
template <typename Starts>
__attribute__((target("avx2"))) std::size_t StartsAvx2(const char* data, std::size_t from, std::size_t to, Pos base,
                                                       Starts& out)
{
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i cr = _mm256_set1_epi8('\r');
    std::size_t i = from;
    for (; i + 64 <= to; i += 64) {
        const __m256i v0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
        const __m256i v1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 32));
        EmitBlockStarts(static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v0, lf))),
                        static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v1, lf))),
                        static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v0, cr))),
                        static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v1, cr))), data[i + 64] == '\n',
                        base + static_cast<Pos>(i) + 1, out);
    }
    return i;
}
#endif

// The starts after the bytes in [from, to); the byte at `to` must exist.
template <typename Starts>
void StartsWithKnownNext(const char* data, std::size_t from, std::size_t to, Pos base, Starts& out)
{
    std::size_t i = from;
#if TESSALY_HAVE_SSE2_PATH
    if (HaveAvx2())
        i = StartsAvx2(data, from, to, base, out);
    if (HaveSse2())
        i = StartsSse2(data, i, to, base, out);
#endif
    for (; i < to; ++i) {
        if (EndsLineBefore(data[i], data[i + 1])) {
            out.push_back(static_cast<typename Starts::value_type>(base + static_cast<Pos>(i + 1)));
        }
    }
}

}  // namespace

void LineStartScanner::Feed(const char* data, std::size_t size, std::vector<Pos>& out)
{
    FeedInto(data, size, out);
}

void LineStartScanner::Feed(const char* data, std::size_t size, std::vector<std::int32_t>& out)
{
    FeedInto(data, size, out);
}

void LineStartScanner::Feed(const char* data, std::size_t size, PartitionStarts& out)
{
    FeedInto(data, size, out);
}

void LineStartScanner::Feed(const char* data, std::size_t size, StartsBuffer& out)
{
    // At most one start a byte, one for a CR held back, and one written past the end.
    out.Reserve(size + 2);
    out.ComeFrom(m_next);
    FeedInto(data, size, out);
}

void StartsBuffer::Reserve(std::size_t n)
{
    const std::size_t size = this->size();
    if (size + n <= m_capacity)
        return;
    const std::size_t capacity = std::max(size + n, m_capacity * 2);
    std::unique_ptr<std::uint32_t[]> grown(new std::uint32_t[capacity]);
    if (size > 0)
        std::copy(m_values.get(), m_values.get() + size, grown.get());
    m_values = std::move(grown);
    m_end = m_values.get() + size;
    m_capacity = capacity;
}

template <typename Starts>
void LineStartScanner::FeedInto(const char* data, std::size_t size, Starts& out)
{
    using Start = typename Starts::value_type;
    if (size == 0)
        return;
    const Pos base = m_next;
    std::size_t i = 0;
    if (m_pendingCr >= 0) {
        // The CR held back was the last byte fed: this piece's first byte decides.
        if (data[0] == '\n') {
            out.push_back(static_cast<Start>(base + 1));
            i = 1;
        } else {
            out.push_back(static_cast<Start>(base));
        }
        m_pendingCr = -1;
    }
    if (i < size) {
        StartsWithKnownNext(data, i, size - 1, base, out);
        // The last byte: an LF ends its line; a CR waits for the next piece.
        const char last = data[size - 1];
        if (last == '\n')
            out.push_back(static_cast<Start>(base + static_cast<Pos>(size)));
        else if (last == '\r')
            m_pendingCr = base + static_cast<Pos>(size) - 1;
    }
    m_next = base + static_cast<Pos>(size);
}

template <typename Starts>
void LineStartScanner::FinishInto(Starts& out)
{
    if (m_pendingCr >= 0)
        out.push_back(static_cast<typename Starts::value_type>(m_pendingCr + 1));
    m_pendingCr = -1;
}

void LineStartScanner::Finish(std::vector<Pos>& out)
{
    FinishInto(out);
}
void LineStartScanner::Finish(std::vector<std::int32_t>& out)
{
    FinishInto(out);
}
void LineStartScanner::Finish(PartitionStarts& out)
{
    FinishInto(out);
}
void LineStartScanner::Finish(StartsBuffer& out)
{
    out.Reserve(1);
    FinishInto(out);
}

const char* FindEolByte(const char* p, const char* end) noexcept
{
    while (p < end && *p != '\n' && *p != '\r')
        ++p;
    return p;
}

}  // namespace tessaly::editor

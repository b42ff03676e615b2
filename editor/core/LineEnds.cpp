#include "LineEnds.h"

#include "Partitioning.h"
#include "Simd.h"

namespace tessaly::editor {

namespace {

// A line starts after an LF, and after a CR whose next byte is not an LF. The byte after
// each position scanned is known here, so no CR needs holding back.
inline bool EndsLineBefore(char c, char next) { return c == '\n' || (c == '\r' && next != '\n'); }

#if TESSALY_HAVE_SSE2_PATH
// The line ends among sixteen bytes as a mask, told apart from the CR of a CR LF by
// comparing the bytes one further on.
__attribute__((target("sse2"))) inline __m128i EndsSse2(const char* p) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    return _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')),
                        _mm_andnot_si128(_mm_cmpeq_epi8(next, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'))));
}

// Any CR or LF among sixteen bytes, cheaper to ask than where lines end.
__attribute__((target("sse2"))) inline __m128i EolBytesSse2(const char* p) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\r')));
}

template <typename Starts>
inline void EmitStarts(unsigned mask, Pos after, Starts& out) {
    while (mask) {
        out.push_back(static_cast<typename Starts::value_type>(after + __builtin_ctz(mask)));
        mask &= mask - 1;
    }
}

// Sixty-four bytes at a time, most of which hold no line end at all; then sixteen.
// Returns where it stopped.
template <typename Starts>
__attribute__((target("sse2"))) std::size_t StartsSse2(const char* data, std::size_t from, std::size_t to, Pos base,
                                                       Starts& out) {
    std::size_t i = from;
    // data[i + 64] is read, so the loop stops 64 bytes before `to` (whose byte is there).
    for (; i + 64 <= to; i += 64) {
        const __m128i any = _mm_or_si128(_mm_or_si128(EolBytesSse2(data + i), EolBytesSse2(data + i + 16)),
                                         _mm_or_si128(EolBytesSse2(data + i + 32), EolBytesSse2(data + i + 48)));
        if (_mm_movemask_epi8(any) == 0) continue;
        const __m128i e0 = EndsSse2(data + i);
        const __m128i e1 = EndsSse2(data + i + 16);
        const __m128i e2 = EndsSse2(data + i + 32);
        const __m128i e3 = EndsSse2(data + i + 48);
        const Pos after = base + static_cast<Pos>(i) + 1;
        EmitStarts(static_cast<unsigned>(_mm_movemask_epi8(e0)) | static_cast<unsigned>(_mm_movemask_epi8(e1)) << 16,
                   after, out);
        EmitStarts(static_cast<unsigned>(_mm_movemask_epi8(e2)) | static_cast<unsigned>(_mm_movemask_epi8(e3)) << 16,
                   after + 32, out);
    }
    for (; i + 16 <= to; i += 16) {
        EmitStarts(static_cast<unsigned>(_mm_movemask_epi8(EndsSse2(data + i))), base + static_cast<Pos>(i) + 1, out);
    }
    return i;
}
#endif

// The starts after the bytes in [from, to); the byte at `to` must exist.
template <typename Starts>
void StartsWithKnownNext(const char* data, std::size_t from, std::size_t to, Pos base, Starts& out) {
    std::size_t i = from;
#if TESSALY_HAVE_SSE2_PATH
    if (HaveSse2()) i = StartsSse2(data, from, to, base, out);
#endif
    for (; i < to; ++i) {
        if (EndsLineBefore(data[i], data[i + 1])) {
            out.push_back(static_cast<typename Starts::value_type>(base + static_cast<Pos>(i + 1)));
        }
    }
}

}  // namespace

void LineStartScanner::Feed(const char* data, std::size_t size, std::vector<Pos>& out) { FeedInto(data, size, out); }

void LineStartScanner::Feed(const char* data, std::size_t size, std::vector<std::int32_t>& out) {
    FeedInto(data, size, out);
}

void LineStartScanner::Feed(const char* data, std::size_t size, PartitionStarts& out) { FeedInto(data, size, out); }

template <typename Starts>
void LineStartScanner::FeedInto(const char* data, std::size_t size, Starts& out) {
    using Start = typename Starts::value_type;
    if (size == 0) return;
    const Pos base = next_;
    std::size_t i = 0;
    if (pendingCr_ >= 0) {
        // The CR held back was the last byte fed: this piece's first byte decides.
        if (data[0] == '\n') {
            out.push_back(static_cast<Start>(base + 1));
            i = 1;
        } else {
            out.push_back(static_cast<Start>(base));
        }
        pendingCr_ = -1;
    }
    if (i < size) {
        StartsWithKnownNext(data, i, size - 1, base, out);
        // The last byte: an LF ends its line; a CR waits for the next piece.
        const char last = data[size - 1];
        if (last == '\n') out.push_back(static_cast<Start>(base + static_cast<Pos>(size)));
        else if (last == '\r') pendingCr_ = base + static_cast<Pos>(size) - 1;
    }
    next_ = base + static_cast<Pos>(size);
}

template <typename Starts>
void LineStartScanner::FinishInto(Starts& out) {
    if (pendingCr_ >= 0) out.push_back(static_cast<typename Starts::value_type>(pendingCr_ + 1));
    pendingCr_ = -1;
}

void LineStartScanner::Finish(std::vector<Pos>& out) { FinishInto(out); }
void LineStartScanner::Finish(std::vector<std::int32_t>& out) { FinishInto(out); }
void LineStartScanner::Finish(PartitionStarts& out) { FinishInto(out); }

const char* FindEolByte(const char* p, const char* end) noexcept {
    while (p < end && *p != '\n' && *p != '\r') ++p;
    return p;
}

}  // namespace tessaly::editor

#include "LineEnds.h"

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#define TESSALY_HAVE_SSE2_PATH 1
#endif

namespace tessaly::editor {

namespace {

unsigned EolMaskScalar(const char* p) noexcept {
    unsigned mask = 0;
    for (unsigned i = 0; i < 16; ++i) {
        if (p[i] == '\n' || p[i] == '\r') mask |= 1u << i;
    }
    return mask;
}

#if TESSALY_HAVE_SSE2_PATH
__attribute__((target("sse2"))) inline unsigned EolMaskSse2(const char* p) noexcept {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i lf = _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'));
    const __m128i cr = _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(lf, cr)));
}

bool HaveSse2() noexcept {
    static const bool have = __builtin_cpu_supports("sse2");
    return have;
}

// The SSE2 loop lives in its own function so that the compiler may inline the
// intrinsics on a 32-bit target whose baseline lacks SSE2.
template <typename Sink>
__attribute__((target("sse2"))) std::size_t ScanSse2(const char* data, std::size_t size, Sink& sink) {
    std::size_t i = 0;
    for (; i + 16 <= size; i += 16) {
        unsigned mask = EolMaskSse2(data + i);
        while (mask) {
            sink(i + static_cast<std::size_t>(__builtin_ctz(mask)));
            mask &= mask - 1;
        }
    }
    return i;
}
#endif

template <typename Sink>
void ForEachEolByte(const char* data, std::size_t size, Sink&& sink) {
    std::size_t i = 0;
#if TESSALY_HAVE_SSE2_PATH
    if (HaveSse2()) i = ScanSse2(data, size, sink);
#endif
    for (; i + 16 <= size; i += 16) {
        unsigned mask = EolMaskScalar(data + i);
        while (mask) {
            sink(i + static_cast<std::size_t>(__builtin_ctz(mask)));
            mask &= mask - 1;
        }
    }
    for (; i < size; ++i) {
        if (data[i] == '\n' || data[i] == '\r') sink(i);
    }
}

}  // namespace

void LineStartScanner::OnEolByte(char c, Pos at, std::vector<Pos>& out) {
    if (pendingCr_ >= 0) {
        // A CR followed directly by this LF is one line end; otherwise the CR stood alone.
        const bool crLf = c == '\n' && pendingCr_ == at - 1;
        out.push_back(crLf ? at + 1 : pendingCr_ + 1);
        pendingCr_ = -1;
        if (crLf) return;
    }
    if (c == '\n') {
        out.push_back(at + 1);
    } else {
        pendingCr_ = at;
    }
}

void LineStartScanner::Feed(const char* data, std::size_t size, std::vector<Pos>& out) {
    if (size == 0) return;
    const Pos base = next_;
    ForEachEolByte(data, size, [&](std::size_t i) { OnEolByte(data[i], base + static_cast<Pos>(i), out); });
    next_ = base + static_cast<Pos>(size);
    // A held-back CR that is not the last byte fed has a known successor, and it is no LF.
    if (pendingCr_ >= 0 && pendingCr_ < next_ - 1) {
        out.push_back(pendingCr_ + 1);
        pendingCr_ = -1;
    }
}

void LineStartScanner::Finish(std::vector<Pos>& out) {
    if (pendingCr_ >= 0) out.push_back(pendingCr_ + 1);
    pendingCr_ = -1;
}

const char* FindEolByte(const char* p, const char* end) noexcept {
    while (p < end && *p != '\n' && *p != '\r') ++p;
    return p;
}

}  // namespace tessaly::editor

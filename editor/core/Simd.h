#pragma once
// Whether the sixteen-byte vector paths can run: always on x86-64, asked of the processor
// on 32-bit x86, never elsewhere (the plain loops then do the work).
#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#define TESSALY_HAVE_SSE2_PATH 1
#endif

namespace tessaly::editor {

#if TESSALY_HAVE_SSE2_PATH
inline bool HaveSse2() noexcept {
    static const bool have = __builtin_cpu_supports("sse2");
    return have;
}
#endif

}  // namespace tessaly::editor

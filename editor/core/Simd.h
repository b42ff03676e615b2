#pragma once
// Whether the sixteen-byte vector paths can run: always on x86-64, asked of the processor
// on 32-bit x86, never elsewhere (the plain loops then do the work); and whether the
// thirty-two-byte ones can, asked of the processor (and of the system, which must save
// their registers).
#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#define TESSALY_HAVE_SSE2_PATH 1
#endif

namespace tessaly::editor {

#if TESSALY_HAVE_SSE2_PATH
inline bool HaveSse2() noexcept
{
    static const bool have = __builtin_cpu_supports("sse2");
    return have;
}

inline bool HaveAvx2() noexcept
{
    static const bool have = __builtin_cpu_supports("avx2");
    return have;
}
#endif

}  // namespace tessaly::editor

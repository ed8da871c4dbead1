// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/vectorstate.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#include <immintrin.h>

namespace {

// Built for AVX, so called only where the processor has it.
[[gnu::target("avx")]] void zeroUpperHalves()
{
    _mm256_zeroupper();
}

}  // namespace

void cleanVectorState()
{
    if (__builtin_cpu_supports("avx"))
        zeroUpperHalves();
}

#else

// Without AVX there are no upper halves to leave dirty.
void cleanVectorState()
{
}

#endif

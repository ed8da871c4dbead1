// SPDX-License-Identifier: GPL-3.0-or-later
// cleanVectorState() on the processor at hand: the upper halves of the vector
// registers, dirtied as Qt's raster engine leaves them, are clean after it.
#include "core/vectorstate.h"

#include <gtest/gtest.h>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>

namespace {

// Whether the processor reports which register state is in use (XGETBV with ECX = 1).
bool reportsStateInUse()
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    return __builtin_cpu_supports("avx") && __get_cpuid_count(0xd, 1, &a, &b, &c, &d) &&
           (a & (1U << 2)) != 0;
}

// Bit 2 of the state in use: the upper halves of the ymm registers are not all zero.
bool upperHalvesInUse()
{
    unsigned low = 0, high = 0;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (low & (1U << 2)) != 0;
}

TEST(VectorState, CleaningLeavesTheUpperHalvesClean)
{
    if (!reportsStateInUse())
        GTEST_SKIP() << "the processor does not report the vector state in use";
    // Nothing but the call runs between the readings: this file is not built for AVX,
    // so the compiler adds no vzeroupper of its own.
    asm volatile("vpcmpeqd %%ymm15, %%ymm15, %%ymm15" ::: "xmm15");
    const bool dirty = upperHalvesInUse();
    cleanVectorState();
    const bool clean = !upperHalvesInUse();
    ASSERT_TRUE(dirty);
    EXPECT_TRUE(clean);
}

}  // namespace

#endif

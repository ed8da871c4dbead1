// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>

// K = R(N / 2): the highest line of the spectrum, the last one the transform computes
// directly (the lines above it are mirror images) and the last one the spectrum plot
// draws. N / 2 for even N, the even one of (N - 1) / 2 and (N + 1) / 2 for odd N.
inline std::int32_t highestLine(std::int32_t sampleCount)
{
    // N / 2 is at most 2^30 in magnitude, so rounding it can neither overflow nor lose
    // anything; nearbyint keeps the default ties-to-even rounding.
    return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(sampleCount) / 2));
}

// The largest sample count a run accepts: the plots of a run form x from the 32-bit
// integer products 100 * (i + 1) and 200 * k, which fit for every N up to this.
constexpr std::int32_t maxDrawableSampleCount = 21'474'836;

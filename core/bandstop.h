// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>

// An inclusive range of spectral lines; empty when first > last.
struct LineRange {
    std::int32_t first = 0;
    std::int32_t last = -1;
};

// The lines zeroed by the band-stop filter: R(fi W)..R(fs W) and its mirror
// R(N - fs W)..R(N - fi W). The mirror band is computed from N - fs W and N - fi W
// directly, not reflected from the first one: for odd N an exact half-integer can
// round to a different line (N = 1001, W = 2, fi = fs = 50.25 zeroes 100 and 900, not
// 901). Both ranges are cut to the array, 0..N, so a negative fi stops the band at
// line 0 and its mirror at line N.
std::array<LineRange, 2> stopBandLines(std::int32_t sampleCount, double windowTime,
                                       double stopLowFreq, double stopHighFreq);

// Sets both parts of every line of `lines` to 0.
void applyBandStop(const std::array<LineRange, 2>& lines, std::span<double> re,
                   std::span<double> im);

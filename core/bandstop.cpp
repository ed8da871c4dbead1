// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/bandstop.h"

#include "core/integerconversion.h"

std::array<LineRange, 2> stopBandLines(std::int32_t sampleCount, double windowTime,
                                       double stopLowFreq, double stopHighFreq)
{
    const std::int32_t n = sampleCount;
    const double count = n;
    // Bounds outside the array are held just past its ends, which keeps an empty range
    // empty and cuts a partly outside one at line 0 or line N.
    const auto bound = [n](double value) { return roundClamped(value, -1, n + 1); };
    const auto cut = [n](LineRange range) {
        if (range.first < 0)
            range.first = 0;
        if (range.last > n)
            range.last = n;
        return range;
    };

    LineRange direct;
    direct.last = bound(stopHighFreq * windowTime);
    direct.first = bound(stopLowFreq * windowTime);
    LineRange mirror;
    mirror.last = bound(count - (stopLowFreq * windowTime));
    mirror.first = bound(count - (stopHighFreq * windowTime));
    return {cut(direct), cut(mirror)};
}

void applyBandStop(const std::array<LineRange, 2>& lines, std::span<double> re,
                   std::span<double> im)
{
    for (const LineRange& range : lines) {
        for (std::int32_t k = range.first; k <= range.last; ++k) {
            re[static_cast<std::size_t>(k)] = 0;
            im[static_cast<std::size_t>(k)] = 0;
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/transform.h"

#include "core/twopi.h"

#include <cassert>
#include <cmath>

double theta(std::int32_t k, std::int32_t n, std::int32_t sampleCount)
{
    return ((static_cast<double>(k) * twoPi) * static_cast<double>(n)) /
           static_cast<double>(sampleCount);
}

void forwardTransform(std::span<const double> input, std::int32_t sampleCount, double windowTime,
                      std::span<double> re, std::span<double> im)
{
    const std::int32_t n = sampleCount;
    assert(n >= 1);
    [[maybe_unused]] const auto size = static_cast<std::size_t>(n) + 1;
    assert(input.size() >= size && re.size() >= size && im.size() >= size);

    const std::int32_t lines = highestLine(n);
    for (std::int32_t k = 0; k <= lines; ++k) {
        const auto line = static_cast<std::size_t>(k);
        re[line] = 0;
        im[line] = 0;
        for (std::int32_t i = 0; i < n; ++i) {
            const double g =
                (windowTime / static_cast<double>(n)) * input[static_cast<std::size_t>(i)];
            const double angle = theta(k, i, n);
            re[line] = (g * std::cos(angle)) + re[line];
            im[line] = im[line] - (g * std::sin(angle));
        }
        // For odd N with K = (N + 1) / 2 the last pass overwrites the mirror image the
        // pass before it left at K - 1 = N - K; the values agree to rounding error.
        const auto mirror = static_cast<std::size_t>(n - k);
        re[mirror] = re[line];
        im[mirror] = -im[line];
    }
}

void amplitudeSpectrum(std::span<const double> re, std::span<const double> im,
                       std::int32_t sampleCount, double windowTime, std::span<double> magnitude)
{
    const std::int32_t lines = highestLine(sampleCount);
    assert(lines >= 0 && magnitude.size() > static_cast<std::size_t>(lines));
    for (std::int32_t k = 0; k <= lines; ++k) {
        const auto line = static_cast<std::size_t>(k);
        magnitude[line] =
            (2 / windowTime) * std::sqrt(std::pow(im[line], 2) + std::pow(re[line], 2));
    }
}

void inverseTransform(std::span<const double> re, std::span<const double> im,
                      std::int32_t sampleCount, double windowTime, std::span<double> output)
{
    const std::int32_t n = sampleCount;
    assert(n >= 1);
    [[maybe_unused]] const auto size = static_cast<std::size_t>(n) + 1;
    assert(re.size() >= size && im.size() >= size && output.size() >= size);

    for (std::int32_t i = 0; i <= n; ++i) {
        const auto sample = static_cast<std::size_t>(i);
        output[sample] = 0;
        for (std::int32_t k = 0; k < n; ++k) {
            const auto line = static_cast<std::size_t>(k);
            const double angle = theta(k, i, n);
            const double c = std::cos(angle);
            const double s = std::sin(angle);
            output[sample] =
                (((c * re[line]) - (s * im[line])) * (1 / windowTime)) + output[sample];
        }
    }
}

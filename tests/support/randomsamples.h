// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <random>
#include <vector>

// `count` samples drawn uniformly from -limit..limit, the same for the same seed.
inline std::vector<double> randomSamples(std::size_t count, unsigned seed, double limit)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> value(-limit, limit);
    std::vector<double> samples(count);
    for (double& x : samples)
        x = value(generator);
    return samples;
}

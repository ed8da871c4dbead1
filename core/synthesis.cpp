// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/synthesis.h"

#include "core/integerconversion.h"
#include "core/twopi.h"

#include <cassert>
#include <cmath>
#include <limits>

double phase(std::int32_t n, double frequency, double windowTime, std::int32_t sampleCount)
{
    return (((static_cast<double>(n) * twoPi) * frequency) * windowTime) /
           static_cast<double>(sampleCount);
}

void synthesiseInput(SignalType type, const RunParameters& parameters, std::int32_t periodCount,
                     std::span<double> input)
{
    switch (type) {
    case SignalType::sine:
        synthesiseSine(parameters, input);
        return;
    case SignalType::pulseTrain:
        synthesisePulseTrain(parameters, periodCount, input);
        return;
    }
}

void synthesiseSine(const RunParameters& p, std::span<double> signal)
{
    const std::int32_t n = p.sampleCount;
    assert(n >= 1 && signal.size() == static_cast<std::size_t>(n) + 1);
    for (std::int32_t i = 0; i <= n; ++i) {
        signal[static_cast<std::size_t>(i)] =
            ((p.signalAmplitude * std::sin(phase(i, p.signalFreq, p.windowTime, n))) +
             p.signalOffset) +
            (p.noiseAmplitude * std::sin(phase(i, p.noiseFreq, p.windowTime, n)));
    }
}

namespace {

enum class PulseLevel { high, low };

// Writes one part of a period: the disturbance, plus the pulse height in a high part.
// Both bounds are rounded to the nearest sample (ties to even) and cut to the array.
// Where a bound falls on an exact half-integer the rounding can leave a sample between
// two parts unwritten or let two parts share one; the later write wins.
void writePulsePart(const RunParameters& p, double first, double last, PulseLevel level,
                    std::span<double> pulse)
{
    const std::int32_t n = p.sampleCount;
    const std::int32_t from = roundClamped(first, 0, n + 1);
    const std::int32_t to = roundClamped(last, -1, n);
    for (std::int32_t i = from; i <= to; ++i) {
        const double noise = p.noiseAmplitude * std::sin(phase(i, p.noiseFreq, p.windowTime, n));
        pulse[static_cast<std::size_t>(i)] =
            level == PulseLevel::high ? noise + p.signalAmplitude : noise;
    }
}

}  // namespace

void synthesisePulseTrain(const RunParameters& p, std::int32_t periodCount,
                          std::span<double> signal)
{
    const std::int32_t n = p.sampleCount;
    assert(n >= 1 && signal.size() == static_cast<std::size_t>(n) + 1);
    assert(static_cast<long long>(n) * periodCount <= std::numeric_limits<std::int32_t>::max());

    const double count = n;
    const double periods = periodCount;
    for (std::int32_t j = 0; j < periodCount; ++j) {
        // j * N and (j + 1) * N are 32-bit products, exact since N * periodCount fits.
        const double q = static_cast<double>(j * n) / periods;
        const double d = (count * p.dutyCycle) / periods;
        writePulsePart(p, q, q + d, PulseLevel::high, signal);
        writePulsePart(p, (q + 1) + d, (static_cast<double>((j + 1) * n) / periods) - 1,
                       PulseLevel::low, signal);
    }
}

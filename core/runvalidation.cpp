// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runvalidation.h"

#include "core/integerconversion.h"
#include "core/messages.h"
#include "core/numbertext.h"

#include "core/samplecount.h"

#include <cmath>
#include <limits>

namespace {

using Refusal = std::optional<std::string>;

Refusal refuse(std::string_view message)
{
    return std::string(message);
}

// Each stores its entry and tells whether it could: a number that does not fit its
// field leaves the field as it was.
bool readReal(const std::string& text, double& field)
{
    const auto value = readNumber(text);
    if (value)
        field = *value;
    return value.has_value();
}

bool readCount(const std::string& text, std::int32_t& field)
{
    const auto value = readNumber(text);
    const auto count = value ? roundToInt32(*value) : std::nullopt;
    if (count)
        field = *count;
    return count.has_value();
}

// Stores the entries one by one, in the order the request reads them, and stops at the
// first that does not fit.
Refusal readEntries(const RunEntries& e, RunParameters& p)
{
    const bool leadingRead =
        readReal(e.stopLowFreq, p.stopLowFreq) && readReal(e.stopHighFreq, p.stopHighFreq) &&
        readReal(e.signalAmplitude, p.signalAmplitude) &&
        readReal(e.noiseAmplitude, p.noiseAmplitude) && readReal(e.signalOffset, p.signalOffset) &&
        readReal(e.windowTime, p.windowTime);
    if (!leadingRead)
        return refuse(messages::valueOutOfRange);
    if (!readCount(e.sampleCount, p.sampleCount))
        return refuse(messages::sampleCountOutOfRange);
    const bool trailingRead =
        readReal(e.dutyCycle, p.dutyCycle) && readReal(e.signalFreq, p.signalFreq) &&
        readReal(e.noiseFreq, p.noiseFreq) && readReal(e.freqAxisZoom, p.freqAxisZoom);
    if (!trailingRead)
        return refuse(messages::valueOutOfRange);
    return std::nullopt;
}

// Magnitudes beyond this window could overflow or underflow a step of the computation
// (2 / W, the sums of the transform, the frequency-axis scale); inside it every value
// of a run stays finite.
bool isOrdinaryMagnitude(double value)
{
    const double magnitude = std::fabs(value);
    return value == 0 || (magnitude >= 1e-15 && magnitude <= 1e15);
}

bool productFits(std::int32_t a, std::int32_t b)
{
    const auto product = static_cast<long long>(a) * b;
    return product >= std::numeric_limits<std::int32_t>::min() &&
           product <= std::numeric_limits<std::int32_t>::max();
}

// What the computation needs beyond the user-facing tests: values of ordinary
// magnitude, a sample count that the arrays and the drawing can hold, a pulse train
// whose parts lie inside its periods and whose periods are no shorter than a sample,
// and a frequency axis that can be scaled.
Refusal checkComputable(const RunRecord& record)
{
    const RunParameters& p = record.parameters;
    for (double value :
         {p.stopLowFreq, p.stopHighFreq, p.signalAmplitude, p.noiseAmplitude, p.signalOffset,
          p.windowTime, p.dutyCycle, p.signalFreq, p.noiseFreq, p.freqAxisZoom}) {
        if (!isOrdinaryMagnitude(value))
            return refuse(messages::valueOutOfRange);
    }
    if (p.sampleCount < 1 || p.sampleCount > maxDrawableSampleCount)
        return refuse(messages::sampleCountOutOfRange);
    if (record.signalType == SignalType::pulseTrain && !(p.dutyCycle >= 0 && p.dutyCycle <= 1))
        return refuse(messages::dutyCycleOutOfRange);
    // Every period of the pulse train spans at least one sample. With a negative W the
    // frequency limit is negative and lets through frequencies of any magnitude below
    // it, so the period count could reach 2^31 - 1 with N = 1, and the pulse train,
    // formed period by period, would hold the run for minutes.
    if (!productFits(p.sampleCount, record.periodCount) || record.periodCount > p.sampleCount)
        return refuse(messages::tooManyPeriods);
    if (p.noiseFreq + p.signalFreq == 0)
        return refuse(messages::frequencySumZero);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> validateRunRequest(const RunRequest& request, RunRecord& record)
{
    RunParameters& p = record.parameters;
    if (auto refusal = readEntries(request.entries, p))
        return refusal;

    if (p.freqAxisZoom == 0)
        return refuse(messages::zoomZero);

    const auto periods = roundToInt32(p.signalFreq * p.windowTime);
    if (!periods)
        return refuse(messages::tooManyPeriods);
    record.periodCount = *periods;

    if (p.windowTime == 0)
        return refuse(messages::windowZero);
    // 99 % of the Nyquist frequency N / (2W).
    const double limit = static_cast<double>(p.sampleCount) * 0.99 / (p.windowTime + p.windowTime);
    if (!(limit > p.stopLowFreq && limit > p.stopHighFreq && limit > p.signalFreq &&
          limit > p.noiseFreq))
        return refuse(messages::frequencyTooHigh);

    if (p.stopHighFreq < p.stopLowFreq)
        return refuse(messages::bandReversed);

    const std::optional<SignalType> signalType = signalTypeOf(request.signalTypeText);
    if (!signalType)
        return refuse(messages::signalTypeMissing);
    record.signalType = *signalType;

    if (auto refusal = checkComputable(record))
        return refusal;

    record.spectrumScale = static_cast<double>(p.sampleCount) /
                           (((p.windowTime * 4) * p.freqAxisZoom) * (p.noiseFreq + p.signalFreq));
    return std::nullopt;
}

std::optional<std::string_view> spectrumWindowRefusal(const RunParameters& p)
{
    const auto hasFraction = [](double value) { return value - std::floor(value) > 0; };
    if (hasFraction(p.windowTime))
        return messages::windowNotWhole;
    if (hasFraction(p.signalFreq))
        return messages::signalFreqNotWhole;
    if (hasFraction(p.noiseFreq))
        return messages::noiseFreqNotWhole;
    return std::nullopt;
}

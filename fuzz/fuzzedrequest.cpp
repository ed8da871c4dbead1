// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/fuzzedrequest.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace {

constexpr std::size_t fieldsPerRequest = 13;

constexpr std::array<std::string RunEntries::*, 11> entryOrder = {
    &RunEntries::stopLowFreq,    &RunEntries::stopHighFreq, &RunEntries::signalAmplitude,
    &RunEntries::noiseAmplitude, &RunEntries::signalOffset, &RunEntries::windowTime,
    &RunEntries::sampleCount,    &RunEntries::dutyCycle,    &RunEntries::signalFreq,
    &RunEntries::noiseFreq,      &RunEntries::freqAxisZoom,
};

// A coordinate as from_chars reads it; what it cannot read counts as 0.
float coordinate(std::string_view text)
{
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void readControls(std::string_view field, FuzzedRequest& fuzzed)
{
    const char filter = field.empty() ? '\0' : field.front();
    fuzzed.request.filterOnSelected = filter == '1' || filter == '2';
    fuzzed.request.filterOffSelected = filter == '0' || filter == '2';
    if (!field.empty())
        field.remove_prefix(1);

    while (!field.empty() && fuzzed.cursors.size() < maxCursorsPerRequest) {
        const std::size_t end = std::min(field.find(' '), field.size());
        const std::string_view position = field.substr(0, end);
        field.remove_prefix(std::min(end + 1, field.size()));
        if (position.empty())
            continue;
        const std::size_t comma = std::min(position.find(','), position.size());
        const std::string_view y =
            comma < position.size() ? position.substr(comma + 1) : std::string_view();
        fuzzed.cursors.push_back({coordinate(position.substr(0, comma)), coordinate(y)});
    }
}

// Fills `fuzzed` from one line of fields.
void readLine(std::string_view line, FuzzedRequest& fuzzed)
{
    for (std::size_t field = 0; field < fieldsPerRequest; ++field) {
        const std::size_t end = std::min(line.find('|'), line.size());
        const std::string_view value = line.substr(0, end);
        if (field < entryOrder.size())
            fuzzed.request.entries.*entryOrder[field] = value;
        else if (field == entryOrder.size())
            fuzzed.request.signalTypeText = value;
        else
            readControls(value, fuzzed);
        if (end == line.size())
            return;
        line.remove_prefix(end + 1);
    }
}

}  // namespace

std::vector<FuzzedRequest> splitFuzzedRequests(std::span<const std::uint8_t> bytes)
{
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<FuzzedRequest> requests;
    while (!text.empty() && requests.size() < maxRequestsPerInput) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        if (end > 0)
            readLine(text.substr(0, end), requests.emplace_back());
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return requests;
}

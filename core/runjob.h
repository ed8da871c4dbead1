// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runcontrol.h"
#include "core/runvalidation.h"
#include "core/signalarrays.h"

#include <cstdint>

// The arithmetic of one accepted run: synthesis, transform, band stop, amplitude
// spectrum and reconstruction, into arrays of its own. It holds everything it reads,
// taken when the request was accepted, so it can run on another thread while the
// windows still show the last run; the module takes its arrays only once it has
// completed, and a cancelled job leaves nothing behind.
class RunJob {
public:
    // The record of the accepted request, with the signal it chose, and the filter
    // decision; the windows take no input while the job runs.
    RunJob(const RunRecord& record, bool filterOn);

    const RunRecord& record() const { return m_record; }
    bool filterOn() const { return m_filterOn; }
    std::int32_t sampleCount() const { return m_record.parameters.sampleCount; }

    // The sine-and-cosine pairs the transform pair evaluates: (K + 1) N for the
    // transform and N^2 for the reconstruction. They are nearly all of a run's time.
    std::int64_t sineCosinePairs() const;

    // Runs to the end, or until the control asks to cancel; reports progress to it.
    // Returns true when the arrays are complete. Memory for the arrays that cannot be
    // had ends the job too, with outOfMemory() set and nothing kept.
    bool compute(RunControl& control);
    bool outOfMemory() const { return m_outOfMemory; }

    // The arrays of a completed job.
    SignalArrays takeArrays() { return std::move(m_arrays); }

private:
    RunRecord m_record;
    bool m_filterOn;
    bool m_outOfMemory = false;
    SignalArrays m_arrays;
};

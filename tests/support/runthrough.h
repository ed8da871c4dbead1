// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/computationmodule.h"
#include "core/runcontrol.h"
#include "core/runjob.h"
#include "core/runoutcome.h"
#include "core/runrequest.h"

#include <functional>
#include <memory>
#include <utility>
#include <variant>

// Computes a job to its end on the calling thread.
inline bool computeInPlace(RunJob& job)
{
    RunControl control;
    return job.compute(control);
}

// One run request through the module's checkRun and finishRun, as the parameter window
// makes it, with the accepted job computed by `compute` (in place unless a test or a
// benchmark runs it on a thread of its own, or cancels it). Returns the outcome.
inline RunOutcome runThrough(ComputationModule& module, const RunRequest& request,
                             const std::function<bool(RunJob&)>& compute = computeInPlace)
{
    auto checked = module.checkRun(request);
    if (auto* refused = std::get_if<RunOutcome>(&checked))
        return std::move(*refused);
    auto& job = std::get<std::unique_ptr<RunJob>>(checked);
    const bool completed = compute(*job);
    return module.finishRun(std::move(job), completed);
}

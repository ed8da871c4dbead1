// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/completedrun.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

// How a run request ended: completed, with the run for the windows to show; refused
// with the message the user is to be shown; or cancelled with "Annulla" (nothing
// changed, nothing to say).
struct RunOutcome {
    enum class Kind { completed, refused, cancelled };

    Kind kind = Kind::cancelled;
    std::string message;                      // only for a refused request
    std::shared_ptr<const CompletedRun> run;  // only for a completed one

    static RunOutcome completed(std::shared_ptr<const CompletedRun> run)
    {
        return {Kind::completed, {}, std::move(run)};
    }
    static RunOutcome refused(std::string message)
    {
        return {Kind::refused, std::move(message), {}};
    }
    static RunOutcome cancelled() { return {Kind::cancelled, {}, {}}; }

    // The message of a refused request; nothing for a completed or cancelled one.
    std::optional<std::string> refusal() const
    {
        return kind == Kind::refused ? std::optional<std::string>(message) : std::nullopt;
    }

    bool operator==(const RunOutcome&) const = default;
};

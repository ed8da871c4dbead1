// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>

// What a run and whoever watches it share while it works, possibly on another thread:
// how far it has got, and the request to stop. Both sides only ever touch atomics.
class RunControl {
public:
    // Asks the run to stop at its next block of work; it then reports itself
    // incomplete and leaves its results unfinished.
    void cancel() noexcept { m_cancelled.store(true, std::memory_order_relaxed); }
    bool cancelRequested() const noexcept { return m_cancelled.load(std::memory_order_relaxed); }

    // Work is counted in units the run chooses (lines and samples of the transform
    // pair); the run announces the total before it starts.
    void setTotalWork(std::int64_t units) noexcept
    {
        m_total.store(units, std::memory_order_relaxed);
    }
    void addDoneWork(std::int64_t units) noexcept
    {
        m_done.fetch_add(units, std::memory_order_relaxed);
    }

    // The share of the work done so far, 0..1.
    double doneFraction() const noexcept
    {
        const auto total = m_total.load(std::memory_order_relaxed);
        const auto done = m_done.load(std::memory_order_relaxed);
        return total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 0.0;
    }

private:
    std::atomic<bool> m_cancelled{false};
    std::atomic<std::int64_t> m_total{0};
    std::atomic<std::int64_t> m_done{0};
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workerpool.h"

#include <algorithm>
#include <chrono>

namespace {

// How long a thread that has nothing to do keeps looking before it sleeps. Waking a
// sleeping thread costs a system call and, in a virtual machine whose core has gone
// idle, a good part of a millisecond, as much as the whole transform of N = 1000; the
// transform and its inverse, and the runs of a session, follow one another closer than
// this. Meanwhile the thread yields its core at every look, to whatever else wants it.
constexpr auto lookBeforeSleeping = std::chrono::microseconds(300);

// Yields until `ready` holds or lookBeforeSleeping has passed; returns whether it holds.
template <typename Ready>
bool lookAWhile(Ready ready)
{
    const auto until = std::chrono::steady_clock::now() + lookBeforeSleeping;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::yield();
    }
    return true;
}

}  // namespace

WorkerPool& WorkerPool::instance()
{
    static WorkerPool pool;
    return pool;
}

WorkerPool::~WorkerPool()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_wake.notify_all();
    m_workers.clear();  // joins them
}

void WorkerPool::run(int threads, std::int64_t blockCount, Work work, void* context)
{
    std::unique_lock caller(m_callerMutex, std::defer_lock);
    if (threads <= 1 || blockCount <= 1 || !caller.try_lock()) {
        for (std::int64_t block = 0; block < blockCount; ++block)
            work(context, block);
        return;
    }
    const int helpers = static_cast<int>(std::min<std::int64_t>(threads, blockCount)) - 1;
    {
        const std::lock_guard lock(m_mutex);
        while (static_cast<int>(m_workers.size()) < helpers)
            m_workers.emplace_back([this] { serve(); });
        m_work = work;
        m_context = context;
        m_blockCount = blockCount;
        m_next.store(0, std::memory_order_relaxed);
        m_wanted = helpers;
        m_open = true;
        m_generation.fetch_add(1, std::memory_order_release);
    }
    m_wake.notify_all();

    takeBlocks();

    // No block is left to hand out. Workers that have not joined yet need not: only
    // those at work are waited for, and once the caller sleeps its core is theirs.
    lookAWhile([this] { return m_inFlight.load(std::memory_order_acquire) == 0; });
    std::unique_lock lock(m_mutex);
    m_open = false;
    m_done.wait(lock, [this] { return m_inFlight == 0; });
}

void WorkerPool::takeBlocks()
{
    for (;;) {
        const std::int64_t block = m_next.fetch_add(1, std::memory_order_relaxed);
        if (block >= m_blockCount)
            return;
        m_work(m_context, block);
    }
}

void WorkerPool::serve()
{
    std::uint64_t joined = 0;
    std::unique_lock lock(m_mutex);
    for (;;) {
        lock.unlock();
        lookAWhile([&] { return m_generation.load(std::memory_order_acquire) != joined; });
        lock.lock();
        m_wake.wait(
            lock, [&] { return m_closing || (m_open && m_wanted > 0 && m_generation != joined); });
        if (m_closing)
            return;
        joined = m_generation.load(std::memory_order_relaxed);
        --m_wanted;
        ++m_inFlight;
        lock.unlock();
        takeBlocks();
        lock.lock();
        if (--m_inFlight == 0 && !m_open)
            m_done.notify_one();
    }
}

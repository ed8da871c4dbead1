// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workerpool.h"

#include <algorithm>

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
        ++m_generation;
    }
    m_wake.notify_all();

    takeBlocks();

    // No block is left to hand out. Workers that have not joined yet need not: only
    // those at work are waited for, and the caller's core is theirs meanwhile.
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
        m_wake.wait(
            lock, [&] { return m_closing || (m_open && m_wanted > 0 && m_generation != joined); });
        if (m_closing)
            return;
        joined = m_generation;
        --m_wanted;
        ++m_inFlight;
        lock.unlock();
        takeBlocks();
        lock.lock();
        if (--m_inFlight == 0 && !m_open)
            m_done.notify_one();
    }
}

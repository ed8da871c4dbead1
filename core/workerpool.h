// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// The threads that share out the blocks of the fast transform pair, kept between
// transforms so that a transform does not pay for starting them.
//
// A machine in a classroom always runs something else as well, so nothing here spins
// for long: a worker with nothing to do looks for work for a fraction of a millisecond,
// yielding its core at every look, and then sleeps until it is woken; the caller, once
// no block is left to take, waits the same way for the workers that took one. Blocks
// are handed out one at a time, so a worker the system leaves waiting holds up at most
// the block it has, and a worker that is not woken in time simply takes none: however
// the threads are scheduled, a transform on several threads takes about as long as on
// one or less.
class WorkerPool {
public:
    // The pool of the process.
    static WorkerPool& instance();

    ~WorkerPool();

    // The callable run on the blocks: work(context, block).
    using Work = void (*)(void* context, std::int64_t block);

    // Calls work(context, b) once for every b in 0..blockCount - 1, each on one of up
    // to `threads` threads (the calling one and threads - 1 of the pool's), and returns
    // when all calls have returned. While another caller uses the pool, the calling
    // thread does all the blocks itself.
    void run(int threads, std::int64_t blockCount, Work work, void* context);

    template <typename Callable>
    void run(int threads, std::int64_t blockCount, Callable& callable)
    {
        run(
            threads, blockCount,
            [](void* context, std::int64_t block) { (*static_cast<Callable*>(context))(block); },
            &callable);
    }

private:
    WorkerPool() = default;
    void serve();
    void takeBlocks();

    std::mutex m_callerMutex;  // one caller at a time

    std::mutex m_mutex;              // guards everything below but m_next
    std::condition_variable m_wake;  // a job opened, or the pool is closing
    std::condition_variable m_done;  // the last worker of a closed job finished
    std::vector<std::jthread> m_workers;
    // Counts the jobs, so a worker joins each once; read without the lock while looking.
    std::atomic<std::uint64_t> m_generation{0};
    bool m_open = false;             // whether workers may still join the job
    int m_wanted = 0;                // workers the job may still take
    std::atomic<int> m_inFlight{0};  // workers on the job; read without the lock too
    bool m_closing = false;
    Work m_work = nullptr;
    void* m_context = nullptr;
    std::int64_t m_blockCount = 0;
    std::atomic<std::int64_t> m_next{0};  // the next block to hand out
};

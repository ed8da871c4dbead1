// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/fasttransform.h"

#include "core/lanekernels.h"
#include "core/transform.h"
#include "core/workerpool.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <thread>

namespace {

// The most lanes a kernel may have: the transform gathers each block's sums in arrays
// of this size.
constexpr int maxLanes = 16;

template <int width, LaneFamily family>
constexpr LaneKernel kernel(bool runnable, LaneFamily chosen)
{
    static_assert(width >= 1 && width <= maxLanes);
    return {width,
            family,
            runnable,
            runnable && family == chosen,
            &forwardLines<width, family>,
            &inverseSamples<width, family>};
}

}  // namespace

std::span<const LaneKernel> laneKernels()
{
#if defined(WIDE_LANE_KERNELS)
    // Every x86-64 processor has SSE2. For the wider sets the processor and the
    // operating system (which must save the wider registers) have to agree, which
    // these checks cover. The FMA kernels are built for AVX2 too: the few processors
    // with FMA but without AVX2 (AMD's of 2012 to 2014) take the plain family.
    static const bool avx2AndFma = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    static const LaneFamily chosen = avx2AndFma ? LaneFamily::fma : LaneFamily::plain;
    static const LaneKernel kernels[] = {
        kernel<1, LaneFamily::plain>(true, chosen),
        kernel<2, LaneFamily::plain>(true, chosen),
        kernel<4, LaneFamily::plain>(__builtin_cpu_supports("avx"), chosen),
        kernel<1, LaneFamily::fma>(avx2AndFma, chosen),
        kernel<2, LaneFamily::fma>(avx2AndFma, chosen),
        kernel<4, LaneFamily::fma>(avx2AndFma, chosen),
        kernel<8, LaneFamily::fma>(avx2AndFma && __builtin_cpu_supports("avx512f"), chosen),
    };
#elif defined(AARCH64_LANE_KERNELS)
    // Fused multiply-add and Advanced SIMD are part of every AArch64 processor (the
    // arm64 system is built on them), so the FMA family is always taken. The portable
    // one-lane kernel is kept for the tests that hold the families against each other.
    static const LaneKernel kernels[] = {
        kernel<1, LaneFamily::plain>(true, LaneFamily::fma),
        kernel<1, LaneFamily::fma>(true, LaneFamily::fma),
        kernel<2, LaneFamily::fma>(true, LaneFamily::fma),
    };
#else
    // Elsewhere the one-lane kernel, in portable C, does all the work.
    static const LaneKernel kernels[] = {kernel<1, LaneFamily::plain>(true, LaneFamily::plain)};
#endif
    return kernels;
}

namespace {

// The kernel of options.lanes, or the widest this processor takes.
const LaneKernel& chosenKernel(const TransformOptions& options)
{
    const LaneKernel* chosen = nullptr;
    for (const LaneKernel& kernel : laneKernels()) {
        if (!kernel.supported)
            continue;
        if (kernel.width == options.lanes)
            return kernel;
        if (!chosen || kernel.width > chosen->width)
            chosen = &kernel;
    }
    assert(chosen && options.lanes == 0);
    return *chosen;
}

// Spreads items 0..itemCount - 1 (lines or samples) over the threads in blocks of
// `width`, each block one call of `work` with its first item. Blocks are handed out
// one at a time, so a thread that gets less of the processor takes fewer of them, and
// a cancel stops the run within one block per thread. Returns false when cancelled.
template <typename Work>
bool forEachBlock(std::int64_t itemCount, int width, const TransformOptions& options, Work work)
{
    const std::int64_t blockCount = (itemCount + width - 1) / width;
    RunControl* control = options.control;
    const int threads = options.threads > 0
                            ? options.threads
                            : static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    auto block = [&](std::int64_t index) {
        if (control && control->cancelRequested())
            return;
        const std::int64_t first = index * width;
        work(static_cast<std::int32_t>(first));
        if (control)
            control->addDoneWork(std::min<std::int64_t>(width, itemCount - first));
    };
    WorkerPool::instance().run(threads, blockCount, block);
    return !(control && control->cancelRequested());
}

}  // namespace

bool fastForwardTransform(std::span<const double> input, std::int32_t sampleCount,
                          double windowTime, std::span<double> re, std::span<double> im,
                          const TransformOptions& options)
{
    const std::int32_t n = sampleCount;
    assert(n >= 1);
    [[maybe_unused]] const auto size = static_cast<std::size_t>(n) + 1;
    assert(input.size() >= size && re.size() >= size && im.size() >= size);

    const LaneKernel& kernel = chosenKernel(options);
    const std::int32_t lines = highestLine(n);
    const bool completed = forEachBlock(
        static_cast<std::int64_t>(lines) + 1, kernel.width, options, [&](std::int32_t first) {
            // The last block may run past line K, and past the array for small N: its
            // extra lanes are summed and dropped.
            std::array<double, maxLanes> blockRe{};
            std::array<double, maxLanes> blockIm{};
            kernel.forward(input.data(), n, windowTime, first, blockRe.data(), blockIm.data());
            for (std::int32_t lane = 0; lane < kernel.width && first + lane <= lines; ++lane) {
                re[static_cast<std::size_t>(first + lane)] =
                    blockRe[static_cast<std::size_t>(lane)];
                im[static_cast<std::size_t>(first + lane)] =
                    blockIm[static_cast<std::size_t>(lane)];
            }
        });
    if (!completed)
        return false;

    // The mirror images, in the order the line-by-line loop leaves them: pass k copies
    // line k to N - k. For odd N with K = (N + 1) / 2, pass K - 1 copies onto line K
    // before pass K computes it afresh, so line K's own value is held aside.
    const auto last = static_cast<std::size_t>(lines);
    const double lastRe = re[last];
    const double lastIm = im[last];
    for (std::int32_t k = 0; k <= lines; ++k) {
        const auto line = static_cast<std::size_t>(k);
        if (line == last) {
            re[line] = lastRe;
            im[line] = lastIm;
        }
        const auto mirror = static_cast<std::size_t>(n - k);
        re[mirror] = re[line];
        im[mirror] = -im[line];
    }
    return true;
}

bool fastInverseTransform(std::span<const double> re, std::span<const double> im,
                          std::int32_t sampleCount, double windowTime, std::span<double> output,
                          const TransformOptions& options)
{
    const std::int32_t n = sampleCount;
    assert(n >= 1);
    [[maybe_unused]] const auto size = static_cast<std::size_t>(n) + 1;
    assert(re.size() >= size && im.size() >= size && output.size() >= size);

    const LaneKernel& kernel = chosenKernel(options);
    const std::int64_t samples = static_cast<std::int64_t>(n) + 1;
    return forEachBlock(samples, kernel.width, options, [&](std::int32_t first) {
        std::array<double, maxLanes> block{};
        kernel.inverse(re.data(), im.data(), n, windowTime, first, block.data());
        for (std::int32_t lane = 0; lane < kernel.width && first + lane <= n; ++lane)
            output[static_cast<std::size_t>(first + lane)] = block[static_cast<std::size_t>(lane)];
    });
}

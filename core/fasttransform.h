// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runcontrol.h"

#include <cstdint>
#include <span>

// The transform pair of transform.h computed with every core and vector lane: the
// lines of the transform, and the samples of the reconstruction, are independent sums,
// so each lane of each thread takes whole lines (or samples) and runs their sums in the
// literal order, forming each angle and evaluating each sine and cosine afresh. The
// results are the same bits whatever the number of threads or the vector width; they
// differ from the literal functions only by the last bits of the sine and cosine.
struct TransformOptions {
    int threads = 0;  // 0: as many as the processor has
    // How many lines or samples one thread sums side by side, one per lane of a vector
    // register: 0 for the widest this processor offers, or a width it offers (1 always
    // is). The results are the same bits whatever the width.
    int lanes = 0;
    RunControl* control = nullptr;  // progress (one unit a line or sample) and cancel
};

// As forwardTransform: lines 0..K and their mirror images, every index 0..N written.
// Returns false, with the spans partly written, when the control asks to cancel.
bool fastForwardTransform(std::span<const double> input, std::int32_t sampleCount,
                          double windowTime, std::span<double> re, std::span<double> im,
                          const TransformOptions& options = {});

// As inverseTransform: samples 0..N. Returns false, with the output partly
// written, when the control asks to cancel.
bool fastInverseTransform(std::span<const double> re, std::span<const double> im,
                          std::int32_t sampleCount, double windowTime, std::span<double> output,
                          const TransformOptions& options = {});

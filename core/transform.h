// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/samplecount.h"

#include <cstdint>
#include <span>

// The discrete Fourier transform pair of a run, by direct summation, with every sine
// and cosine evaluated afresh and every running sum accumulated in index order. This
// literal form fixes the results to the last bit (apart from sine and cosine
// themselves); faster forms are held against it.

// The angle of line k at sample n: ((k * twoPi) * n) / N.
double theta(std::int32_t k, std::int32_t n, std::int32_t sampleCount);

// X(k) = (W / N) * sum over n = 0..N-1 of x(n) e^(-i theta(k, n)) for k = 0..K, each
// line followed by its mirror image: re(N - k) = re(k), im(N - k) = -im(k). Every index
// 0..N is written. Requires N >= 1 and spans of N + 1 elements.
void forwardTransform(std::span<const double> input, std::int32_t sampleCount, double windowTime,
                      std::span<double> re, std::span<double> im);

// S(k) = (2 / W) * |X(k)| for k = 0..K, the peak amplitude of the component at k / W
// hertz; the indices above K are left as they are.
void amplitudeSpectrum(std::span<const double> re, std::span<const double> im,
                       std::int32_t sampleCount, double windowTime, std::span<double> magnitude);

// Vr(n) = sum over k = 0..N-1 of (cos * re(k) - sin * im(k)) * (1 / W) for
// n = 0..N. Sample N is the rebuilt signal at t = W: the sum repeats every N samples,
// so it equals Vr(0) to rounding error, as a periodic signal must. With an unfiltered
// spectrum this gives back the input to rounding error. Requires spans of N + 1
// elements.
void inverseTransform(std::span<const double> re, std::span<const double> im,
                      std::int32_t sampleCount, double windowTime, std::span<double> output);

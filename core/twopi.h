// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The phase constant of the synthesis and of the transform pair: the double nearest to
// 6.28318530717958, which is 6.2e-15 short of the double nearest to 2 pi. Every phase
// is formed with it, so the samples and spectra depend on this exact value.
constexpr double twoPi = 6.28318530717958;

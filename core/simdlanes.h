#pragma once

#include "core/lanekernel.h"

#include <vector>

// How many lines or samples of the transform pair one thread sums side by side, one
// per lane of a vector register. Every width gives the same bits: the sine and cosine
// come from one of SLEEF's deterministic families, whose results do not depend on the
// vector width, and each lane runs its own sum in the literal order.
enum class SimdLanes { one = 1, two = 2, four = 4, eight = 8 };

// The widths this processor runs, narrowest first; `one` is always there.
std::vector<SimdLanes> availableLanes();

// The widest of availableLanes().
SimdLanes widestLanes();

// The kernel of a width in availableLanes().
LaneKernel laneKernel(SimdLanes lanes);

#pragma once

#include "core/runparameters.h"

// What the run whose results the arrays hold was computed with: its entries and
// whether the band stop was applied. Unlike the record of the current request, a
// refused request leaves it as it is, so it always describes what the plots show.
struct CompletedRun {
    RunParameters parameters;
    bool filterOn = false;
};

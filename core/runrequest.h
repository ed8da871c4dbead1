// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runparameters.h"
#include "core/signaltype.h"

#include <string>

// One click on "Grafici", taken whole from the parameter window at the click: the
// eleven entry texts as typed, the drop-down's text and the two filter option buttons.
// A run reads nothing else from the windows. The defaults are the parameter window's
// entries with the sine signal chosen and the filter on.
struct RunRequest {
    RunEntries entries;
    std::string signalTypeText{sineSignalItem};
    bool filterOnSelected = true;
    bool filterOffSelected = false;

    // Whether the band stop applies: "Filtro OFF" wins, and with neither button
    // selected the spectrum stays unfiltered.
    bool filterOn() const { return filterOnSelected && !filterOffSelected; }
};

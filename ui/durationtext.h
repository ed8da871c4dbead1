// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A duration as a student reads it on the progress dialog, rounded to the unit that
// suits it: "meno di un minuto", "circa 4 min", "circa 3 ore", "circa 2 settimane".
std::string aboutDuration(double seconds);

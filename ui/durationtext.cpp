// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/durationtext.h"

#include <algorithm>
#include <cmath>

namespace {

std::string about(double count, const char* one, const char* many)
{
    const long long whole = std::max(1LL, std::llround(count));
    return "circa " + std::to_string(whole) + " " + (whole == 1 ? one : many);
}

}  // namespace

std::string aboutDuration(double seconds)
{
    constexpr double minute = 60, hour = 60 * minute, day = 24 * hour, week = 7 * day;
    constexpr double month = 30.44 * day, year = 365.25 * day;
    if (!(seconds >= 59.5))
        return "meno di un minuto";
    if (seconds < 90 * minute)
        return about(seconds / minute, "min", "min");
    if (seconds < 36 * hour)
        return about(seconds / hour, "ora", "ore");
    if (seconds < 10 * day)
        return about(seconds / day, "giorno", "giorni");
    if (seconds < 8 * week)
        return about(seconds / week, "settimana", "settimane");
    if (seconds < 2 * year)
        return about(seconds / month, "mese", "mesi");
    return about(seconds / year, "anno", "anni");
}

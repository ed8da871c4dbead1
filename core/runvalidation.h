// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runparameters.h"
#include "core/runrequest.h"
#include "core/signaltype.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The record a request writes: the entries, the two values derived from them, the
// signal the drop-down chose and the text of the last refusal.
struct RunRecord {
    RunParameters parameters;
    std::int32_t periodCount = 0;  // whole signal periods in the window, R(signalFreq * W)
    double spectrumScale = 0;      // N / (W * 4 * ke * (noiseFreq + signalFreq))
    SignalType signalType = SignalType::sine;  // read once the entries have passed their tests
    std::string messageText;                   // written by the module when a request is refused
};

// Reads the request's entries into `record` and checks that they describe a run that can be
// computed and drawn. Returns the message of the first failed test, or nothing.
//
// Each entry is stored as soon as it is read, so a refused request still leaves the
// entries it has read (and, past the zoom test, its periodCount) in the record; a
// text whose number does not fit (a double for the real entries, a 32-bit integer
// for N) ends the reading there and leaves that entry and the ones after it as they
// were. spectrumScale changes only when every test passes. The drop-down's text is read
// once, into signalType, when the request reaches that test.
//
// The tests, in order: ke is not 0; periodCount fits 32 bits; W is not 0; every
// frequency lies below L = 0.99 N / (2W); fs is not below fi; the drop-down shows one
// of the two signals; then what the computation itself needs: every real entry is 0
// or between 1E-15 and 1E+15 in magnitude, 1 <= N <= 21474836, the duty cycle lies in
// 0..1 when the pulse train is chosen, N * periodCount fits 32 bits and periodCount
// is at most N, and the two frequencies do not add up to 0.
std::optional<std::string> validateRunRequest(const RunRequest& request, RunRecord& record);

// The check of "Visualizza spettro": the spectrum is shown only for a window that holds
// a whole number of periods of both signals, so W, f segnale and f disturbo must be
// whole numbers, tested in that order. Returns the message of the first that is not.
// Whole means that the value less its floor is 0: -3 is whole, -2.5 is not, and there
// is no tolerance (2.000001 is not whole).
std::optional<std::string_view> spectrumWindowRefusal(const RunParameters& parameters);

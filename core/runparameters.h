// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// The entries of the current run request, in the order the request reads them.
// Every request overwrites them, even one that is then refused, so after a refusal
// they may differ from the values the plots were computed with.
struct RunParameters {
    double stopLowFreq = 0;        // fi, lower edge of the stop band [Hz]
    double stopHighFreq = 0;       // fs, upper edge of the stop band [Hz]
    double signalAmplitude = 0;    // peak amplitude of the useful signal, height of a pulse
    double noiseAmplitude = 0;     // peak amplitude of the sinusoidal disturbance
    double signalOffset = 0;       // DC component of the sine signal
    double windowTime = 0;         // W, observation window [s]
    std::int32_t sampleCount = 0;  // N
    double dutyCycle = 0;          // fraction of each pulse period that is high
    double signalFreq = 0;         // frequency of the useful signal [Hz]
    double noiseFreq = 0;          // frequency of the disturbance [Hz]
    double freqAxisZoom = 0;       // ke, expansion of the spectrum's frequency axis
};

// The entry texts of a run request, one per field of RunParameters, as typed.
struct RunEntries {
    std::string stopLowFreq = "49";
    std::string stopHighFreq = "51";
    std::string signalAmplitude = "25";
    std::string noiseAmplitude = "4";
    std::string signalOffset = "25";
    std::string windowTime = "2";
    std::string sampleCount = "1000";
    std::string dutyCycle = "0.5";
    std::string signalFreq = "1";
    std::string noiseFreq = "50";
    std::string freqAxisZoom = "0.7";
};

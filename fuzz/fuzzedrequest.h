// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runrequest.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A cursor position over a plot, in the plot's user coordinates.
struct CursorPosition {
    float x = 0;
    float y = 0;
};

// One click on "Grafici" as the fuzzer spells it, with what the user does after it.
struct FuzzedRequest {
    RunRequest request;
    std::vector<CursorPosition> cursors;
};

// At most this many requests, and this many cursor positions after each, are taken
// from one input, so that every input stays quick to run.
constexpr std::size_t maxRequestsPerInput = 8;
constexpr std::size_t maxCursorsPerRequest = 4;

// Splits fuzzer bytes into requests, one per line; empty lines are skipped. A line is
// made of fields separated by '|': the eleven entry texts in the order the request
// reads them (fi, fs, signal amplitude, disturbance amplitude, offset, W, N, r,
// f segnale, f disturbo, ke), the drop-down's text, and a field of switches and
// cursor positions. That last field starts with the filter switch ('1' "Filtro ON",
// '0' "Filtro OFF", '2' both, anything else neither) and goes on with blank-separated
// positions "x,y". Fields missing at the end of a line keep the parameter window's
// defaults, with the sine signal chosen and the filter on; fields beyond the
// thirteenth are ignored. Every other byte reaches the entry reader as typed.
std::vector<FuzzedRequest> splitFuzzedRequests(std::span<const std::uint8_t> bytes);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// Answers --help and --version, in Italian, before any window is thought of: both work
// without a display. Returns the exit status when the program has nothing more to do,
// nothing when it goes on to open its windows. Other arguments are left to Qt, which
// takes its own (-platform, -style...) when the application object is made.
std::optional<int> answerCommandLine(int argc, char* argv[]);

// Makes a start without a display end with one Italian line and the status 1, where
// Qt would print its own English lines and abort. To be called just before the
// application object is made; ended by the returned guard once it exists.
class NoDisplayExit {
public:
    NoDisplayExit();
    ~NoDisplayExit();
    NoDisplayExit(const NoDisplayExit&) = delete;
    NoDisplayExit& operator=(const NoDisplayExit&) = delete;
};

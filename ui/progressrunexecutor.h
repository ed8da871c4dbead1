// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runjob.h"

class QWidget;

// Runs the arithmetic of the parameter window's requests. A run expected to take
// noticeably long goes to a worker thread behind a modal progress dialog with
// "Annulla": the windows keep repainting, but take no input until the run ends, so no
// readout or request ever meets half-computed arrays. Shorter runs stay on the
// calling thread, where they finish before a dialog would have been seen.
class ProgressRunExecutor : public RunExecutor {
public:
    explicit ProgressRunExecutor(QWidget* dialogParent);

    bool execute(RunJob& job) override;

    // The expected duration, in seconds, from which a run shows the dialog.
    void setDialogThreshold(double seconds) { m_dialogThreshold = seconds; }

private:
    bool executeWithDialog(RunJob& job, double expectedSeconds);

    QWidget* m_dialogParent;
    double m_dialogThreshold = 0.5;
    // What a sine-and-cosine pair of the transform costs here, learnt from the runs so
    // far; it starts at what a small two-core machine manages.
    double m_secondsPerPair = 2e-9;
};

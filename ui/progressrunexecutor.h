// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runjob.h"

#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>

class QProgressDialog;
class QThread;
class QWidget;

// Runs the arithmetic of the parameter window's requests. A run expected to take
// noticeably long goes to a worker thread behind a modal progress dialog with
// "Annulla": the windows keep repainting, but take no input until the run ends, so no
// readout or request ever meets half-computed arrays. Shorter runs stay on the
// calling thread, where they finish before a dialog would have been seen.
//
// A run behind the dialog does not hold the click that started it: the click returns
// at once to the event loop, which the dialog and the windows' painting need anyway,
// and the run's end is handed on from there.
class ProgressRunExecutor {
public:
    explicit ProgressRunExecutor(QWidget* dialogParent);
    // A run still going is cancelled and waited for; its end is handed to no one.
    ~ProgressRunExecutor();

    // What becomes of a job once it has ended: completed, or not (cancelled with
    // "Annulla", or short of memory).
    using Ending = std::function<void(std::unique_ptr<RunJob> job, bool completed)>;

    // Computes the job and hands it to `ending`: before returning for a short run,
    // from the event loop once it has ended for one behind the dialog. Not while
    // running().
    void start(std::unique_ptr<RunJob> job, Ending ending);

    // Whether a run is being computed behind the dialog.
    bool running() const { return m_job != nullptr; }

    // The expected duration, in seconds, from which a run shows the dialog.
    void setDialogThreshold(double seconds) { m_dialogThreshold = seconds; }

private:
    void startBehindDialog(double expectedSeconds);
    void showRemaining();
    void end();
    void learnSpeed(bool completed, double pairs, const QElapsedTimer& clock);

    QWidget* m_dialogParent;
    double m_dialogThreshold = 0.5;
    // What a sine-and-cosine pair of the transform costs here, learnt from the runs so
    // far; it starts at what a small two-core machine manages.
    double m_secondsPerPair = 2e-9;

    // The run behind the dialog, while there is one, and how many have been started.
    int m_runNumber = 0;
    std::unique_ptr<RunJob> m_job;
    Ending m_ending;
    std::unique_ptr<RunControl> m_control;
    bool m_completed = false;  // written by the worker, read once it has finished
    double m_pairs = 0;
    double m_expectedSeconds = 0;
    QElapsedTimer m_clock;
    std::unique_ptr<QThread> m_worker;
    std::unique_ptr<QProgressDialog> m_dialog;
    QTimer m_progress;
};

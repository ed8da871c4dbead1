// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/progressrunexecutor.h"

#include "ui/durationtext.h"
#include "ui/messagebox.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

// Runs shorter than this say too little about the machine's speed to learn from.
constexpr double pairsWorthTiming = 1e7;

constexpr int progressSteps = 1000;

}  // namespace

ProgressRunExecutor::ProgressRunExecutor(QWidget* dialogParent) : m_dialogParent(dialogParent)
{
}

bool ProgressRunExecutor::execute(RunJob& job)
{
    const auto pairs = static_cast<double>(job.sineCosinePairs());
    QElapsedTimer clock;
    clock.start();
    bool completed = false;
    if (pairs * m_secondsPerPair < m_dialogThreshold) {
        RunControl control;
        completed = job.compute(control);
    } else {
        completed = executeWithDialog(job, pairs * m_secondsPerPair);
    }
    if (completed && pairs >= pairsWorthTiming)
        m_secondsPerPair = static_cast<double>(clock.nsecsElapsed()) * 1e-9 / pairs;
    return completed;
}

bool ProgressRunExecutor::executeWithDialog(RunJob& job, double expectedSeconds)
{
    RunControl control;
    bool completed = false;
    std::unique_ptr<QThread> worker(QThread::create([&] { completed = job.compute(control); }));

    QProgressDialog dialog(QStringLiteral("Calcolo dello spettro e del segnale filtrato..."),
                           QStringLiteral("Annulla"), 0, progressSteps, m_dialogParent);
    dialog.setObjectName(QStringLiteral("progressDialog"));
    dialog.setWindowTitle(applicationTitle);
    // A dialog as narrow as its text cuts the title short; this leaves room for it and
    // for the buttons of the frame.
    dialog.setMinimumWidth(titleRoom(dialog));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);

    // The time left, shown from the start: first what the rate learnt from earlier runs
    // predicts, then, once the run has gone far enough to tell, what its own progress
    // does. A run of weeks says so at once, and the student knows why to press "Annulla".
    QElapsedTimer clock;
    clock.start();
    auto showRemaining = [&] {
        const double fraction = control.doneFraction();
        const double elapsed = static_cast<double>(clock.elapsed()) / 1000;
        const double remaining = fraction >= 0.02 && elapsed >= 2
                                     ? elapsed * (1 - fraction) / fraction
                                     : std::max(0.0, expectedSeconds - elapsed);
        const QString text = QStringLiteral("Calcolo dello spettro e del segnale filtrato...\n"
                                            "Tempo rimanente: ") +
                             QString::fromStdString(aboutDuration(remaining));
        if (dialog.labelText() != text)
            dialog.setLabelText(text);
    };
    showRemaining();

    QEventLoop loop;
    QTimer progress;
    QObject::connect(&progress, &QTimer::timeout, &dialog, [&] {
        dialog.setValue(static_cast<int>(control.doneFraction() * progressSteps));
        showRemaining();
    });
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
        control.cancel();
        loop.quit();
    });

    worker->start();
    dialog.show();
    progress.start(50);
    loop.exec();
    // After a cancel the worker stops within one block of lines per thread; it is
    // waited for here, with the dialog gone but nothing else let in meanwhile.
    worker->wait();
    return completed;
}

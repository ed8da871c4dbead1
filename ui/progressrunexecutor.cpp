// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/progressrunexecutor.h"

#include "ui/durationtext.h"
#include "ui/messagebox.h"

#include <QProgressDialog>
#include <QThread>

#include <algorithm>
#include <cassert>
#include <utility>

namespace {

// Runs shorter than this say too little about the machine's speed to learn from.
constexpr double pairsWorthTiming = 1e7;

constexpr int progressSteps = 1000;

}  // namespace

ProgressRunExecutor::ProgressRunExecutor(QWidget* dialogParent) : m_dialogParent(dialogParent)
{
    m_progress.setInterval(50);
    QObject::connect(&m_progress, &QTimer::timeout, [this] {
        showRemaining();
        // Last, for a modal dialog's setValue lets the pending events in, and "Annulla"
        // or the worker's end among them ends the run.
        m_dialog->setValue(static_cast<int>(m_control->doneFraction() * progressSteps));
    });
}

ProgressRunExecutor::~ProgressRunExecutor()
{
    if (m_worker) {
        m_control->cancel();
        m_worker->wait();
    }
}

void ProgressRunExecutor::start(std::unique_ptr<RunJob> job, Ending ending)
{
    assert(!running());
    const auto pairs = static_cast<double>(job->sineCosinePairs());
    const double expectedSeconds = pairs * m_secondsPerPair;
    if (expectedSeconds < m_dialogThreshold) {
        QElapsedTimer clock;
        clock.start();
        RunControl control;
        const bool completed = job->compute(control);
        learnSpeed(completed, pairs, clock);
        ending(std::move(job), completed);
        return;
    }
    m_job = std::move(job);
    m_ending = std::move(ending);
    m_pairs = pairs;
    startBehindDialog(expectedSeconds);
}

void ProgressRunExecutor::startBehindDialog(double expectedSeconds)
{
    m_control = std::make_unique<RunControl>();
    m_completed = false;
    m_expectedSeconds = expectedSeconds;
    m_worker.reset(QThread::create([this] { m_completed = m_job->compute(*m_control); }));

    m_dialog = std::make_unique<QProgressDialog>(
        QStringLiteral("Calcolo dello spettro e del segnale filtrato..."),
        QStringLiteral("Annulla"), 0, progressSteps, m_dialogParent);
    QProgressDialog& dialog = *m_dialog;
    dialog.setObjectName(QStringLiteral("progressDialog"));
    dialog.setWindowTitle(applicationTitle);
    // A dialog as narrow as its text cuts the title short; this leaves room for it and
    // for the buttons of the frame.
    dialog.setMinimumWidth(titleRoom(dialog));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);

    m_clock.start();
    showRemaining();

    // The worker's end arrives here through the event loop; so does "Annulla", after
    // which the worker stops within one block of lines per thread. Either may come
    // when the run has already been ended by the other, even once another run has
    // started: each belongs to its own run.
    const int run = ++m_runNumber;
    QObject::connect(m_worker.get(), &QThread::finished, &dialog, [this, run] {
        if (run == m_runNumber && running())
            end();
    });
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [this, run] {
        if (run == m_runNumber && running()) {
            m_control->cancel();
            end();
        }
    });

    m_worker->start();
    dialog.show();
    m_progress.start();
}

// The time left, shown from the start: first what the rate learnt from earlier runs
// predicts, then, once the run has gone far enough to tell, what its own progress does.
// A run of weeks says so at once, and the student knows why to press "Annulla".
void ProgressRunExecutor::showRemaining()
{
    const double fraction = m_control->doneFraction();
    const double elapsed = static_cast<double>(m_clock.elapsed()) / 1000;
    const double remaining = fraction >= 0.02 && elapsed >= 2
                                 ? elapsed * (1 - fraction) / fraction
                                 : std::max(0.0, m_expectedSeconds - elapsed);
    const QString text = QStringLiteral("Calcolo dello spettro e del segnale filtrato...\n"
                                        "Tempo rimanente: ") +
                         QString::fromStdString(aboutDuration(remaining));
    if (m_dialog->labelText() != text)
        m_dialog->setLabelText(text);
}

void ProgressRunExecutor::end()
{
    // After a cancel the worker is waited for here, with the dialog gone but nothing
    // else let in meanwhile.
    m_worker->wait();
    m_progress.stop();
    m_dialog->hide();
    // Both may be in the middle of delivering the signal that brought us here.
    m_dialog.release()->deleteLater();
    m_worker.release()->deleteLater();
    learnSpeed(m_completed, m_pairs, m_clock);
    std::unique_ptr<RunJob> job = std::move(m_job);
    const Ending ending = std::move(m_ending);
    m_ending = nullptr;
    ending(std::move(job), m_completed);
}

void ProgressRunExecutor::learnSpeed(bool completed, double pairs, const QElapsedTimer& clock)
{
    if (completed && pairs >= pairsWorthTiming)
        m_secondsPerPair = static_cast<double>(clock.nsecsElapsed()) * 1e-9 / pairs;
}

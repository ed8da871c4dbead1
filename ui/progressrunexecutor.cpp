#include "ui/progressrunexecutor.h"

#include "ui/messagebox.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

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
        completed = executeWithDialog(job);
    }
    if (completed && pairs >= pairsWorthTiming)
        m_secondsPerPair = static_cast<double>(clock.nsecsElapsed()) * 1e-9 / pairs;
    return completed;
}

bool ProgressRunExecutor::executeWithDialog(RunJob& job)
{
    RunControl control;
    bool completed = false;
    std::unique_ptr<QThread> worker(QThread::create([&] { completed = job.compute(control); }));

    QProgressDialog dialog(QStringLiteral("Calcolo dello spettro e del segnale filtrato..."),
                           QStringLiteral("Annulla"), 0, progressSteps, m_dialogParent);
    dialog.setObjectName(QStringLiteral("progressDialog"));
    dialog.setWindowTitle(applicationTitle);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);

    QEventLoop loop;
    QTimer progress;
    QObject::connect(&progress, &QTimer::timeout, &dialog, [&] {
        dialog.setValue(static_cast<int>(control.doneFraction() * progressSteps));
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

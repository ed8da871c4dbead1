// SPDX-License-Identifier: GPL-3.0-or-later
// Long runs from the user's side: the progress dialog, "Annulla", and what a run
// behind the dialog leaves compared with one without it.
#include "tests/windowsupport.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

#include <limits>

namespace {

// What the plots, the readout and the module hold after a run.
struct Outcome {
    QImage waveform;
    QImage spectrum;
    QString dcReadout;
    SignalArrays arrays;
    double spectrumScale = 0;
};

Outcome outcomeOf(const Program& p)
{
    return {p.waveform()->plot().image().copy(), p.spectrum()->plot().image().copy(),
            p.spectrum()->findChild<QLabel*>("Label1")->text(), p.module.arrays(),
            p.module.spectrumScale()};
}

// Opens the spectrum window, so that both plots and the DC readout show the run.
void openSpectrum(const Program& p)
{
    QVERIFY(acceptMessages([&] {
                p.waveform()->findChild<QAbstractButton*>("Command1")->click();
            }).texts.isEmpty());
}

struct DialogSeen {
    bool shown = false;
    QString label, cancelText, title;
    bool applicationModal = false;
    int progressBeforeCancel = 0;
    qint64 cancelToReturnMs = -1;
};

// Notes the progress dialog as it is shown: the event comes however short the run, so
// no run has to outlast a poll for the dialog to be seen.
class DialogWatch : public QObject {
public:
    explicit DialogWatch(DialogSeen& seen) : m_seen(seen) { qApp->installEventFilter(this); }
    ~DialogWatch() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = qobject_cast<QProgressDialog*>(watched);
        if (dialog && event->type() == QEvent::Show) {
            m_seen.shown = true;
            m_seen.label = dialog->labelText();
            m_seen.title = dialog->windowTitle();
            m_seen.applicationModal = dialog->windowModality() == Qt::ApplicationModal;
            if (auto* cancel = dialog->findChild<QPushButton*>())
                m_seen.cancelText = cancel->text();
        }
        return false;
    }

private:
    DialogSeen& m_seen;
};

// Clicks "Grafici" while watching for the progress dialog; with `cancelAt` >= 0 it
// presses "Annulla" once the bar has passed that many thousandths.
DialogSeen graficiWatchingProgress(const Program& p, int cancelAt)
{
    DialogSeen seen;
    const DialogWatch watch(seen);
    QElapsedTimer sinceCancel;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (cancelAt < 0 || !dialog || !dialog->isVisible() || sinceCancel.isValid())
            return;
        if (dialog->value() > cancelAt) {
            seen.progressBeforeCancel = dialog->value();
            sinceCancel.start();
            dialog->findChild<QPushButton*>()->click();
        }
    });
    poll.start();
    const MessagesSeen messages = p.grafici();
    if (sinceCancel.isValid())
        seen.cancelToReturnMs = sinceCancel.elapsed();
    poll.stop();
    // Every request here is accepted.
    seen.shown = seen.shown && messages.texts.isEmpty();
    return seen;
}

}  // namespace

class LongRunTest : public QObject {
    Q_OBJECT

private slots:
    void annullaKeepsTheLastCompletedRun()
    {
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        openSpectrum(p);
        const Outcome before = outcomeOf(p);

        p.type("Text13", "200000");
        p.type("Text10", "0.9");  // a run to completion would change the spectrum scale
        const DialogSeen seen = graficiWatchingProgress(p, 0);

        QVERIFY(seen.shown);
        QCOMPARE(seen.cancelText, QStringLiteral("Annulla"));
        QCOMPARE(seen.title, QStringLiteral("Filtro elimina banda con la DFT"));
        QVERIFY(seen.label.contains(QStringLiteral("\nTempo rimanente: ")));
        QVERIFY(seen.applicationModal);
        QVERIFY(seen.progressBeforeCancel > 0);
        // A whole run at this N takes about a minute here; a cancel that did not stop
        // the work would be far slower than this bound.
        QVERIFY(seen.cancelToReturnMs >= 0 && seen.cancelToReturnMs < 10000);

        const Outcome after = outcomeOf(p);
        QCOMPARE(after.waveform, before.waveform);
        QCOMPARE(after.spectrum, before.spectrum);
        QCOMPARE(after.dcReadout, before.dcReadout);
        QCOMPARE(after.spectrumScale, before.spectrumScale);
        QVERIFY(after.arrays.spectrumMag == before.arrays.spectrumMag);
        QVERIFY(after.arrays.outputSignal == before.arrays.outputSignal);

        // The program goes on as before.
        p.type("Text13", "1000");
        QVERIFY(p.grafici().texts.isEmpty());
        QCOMPARE(outcomeOf(p).spectrum.size(), before.spectrum.size());
    }

    void aRunBehindTheDialogLeavesWhatARunWithoutItLeaves()
    {
        Outcome outcomes[2];
        bool dialogShown[2] = {};
        const double thresholds[2] = {std::numeric_limits<double>::infinity(), 0};
        for (int i = 0; i < 2; ++i) {
            Program p;
            p.form1->runExecutor().setDialogThreshold(thresholds[i]);
            // A pulse train, with a stop band that takes some of its harmonics.
            p.type("Text13", "3001");
            p.type("Text2", "10");
            p.type("Text6", "60");
            p.chooseSignal(1);
            dialogShown[i] = graficiWatchingProgress(p, -1).shown;
            openSpectrum(p);
            outcomes[i] = outcomeOf(p);
        }
        QVERIFY(!dialogShown[0]);
        QVERIFY(dialogShown[1]);
        QCOMPARE(outcomes[1].waveform, outcomes[0].waveform);
        QCOMPARE(outcomes[1].spectrum, outcomes[0].spectrum);
        QCOMPARE(outcomes[1].dcReadout, outcomes[0].dcReadout);
        QVERIFY(outcomes[1].arrays.spectrumRe == outcomes[0].arrays.spectrumRe);
        QVERIFY(outcomes[1].arrays.spectrumIm == outcomes[0].arrays.spectrumIm);
        QVERIFY(outcomes[1].arrays.outputSignal == outcomes[0].arrays.outputSignal);
    }
};

QTEST_MAIN(LongRunTest)
#include "longrun_test.moc"

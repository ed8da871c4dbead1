// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/messages.h"
#include "core/numberformat.h"
#include "core/readouts.h"
#include "plot/plotdrawing.h"
#include "runthrough.h"
#include "sanitizers.h"
#include "tests/windowsupport.h"
#include "ui/localenumbers.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>

#include <malloc.h>

#include <array>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

#ifdef TESTS_UNDER_ADDRESS_SANITIZER
// From the sanitizers' allocator interface, whose header not every compiler ships.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes on the heap in use now. AddressSanitizer keeps its own heap, and glibc's
// counters then see nothing of the program's allocations.
std::size_t heapInUse()
{
#ifdef TESTS_UNDER_ADDRESS_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// The entry boxes with the texts a request picks from; the first is the default.
struct EntryChoices {
    const char* box;
    std::string RunEntries::*field;
    std::vector<const char*> texts;
};

const std::array<EntryChoices, 11> entryChoices = {{
    {"Text2", &RunEntries::stopLowFreq, {"49", "0", "50", "-5", "51", "1e999", "abc"}},
    {"Text6", &RunEntries::stopHighFreq, {"51", "50", "49", "60"}},
    {"Text8", &RunEntries::signalAmplitude, {"25", "0", "1e20", "-3"}},
    {"Text5", &RunEntries::noiseAmplitude, {"4", "0", "10"}},
    {"Text9", &RunEntries::signalOffset, {"25", "0", "-25"}},
    {"Text1", &RunEntries::windowTime, {"2", "1", "2.5", "0", "-2"}},
    {"Text13",
     &RunEntries::sampleCount,
     {"1000", "600", "257", "1001", "100", "0", "-1000", "3e9", ""}},
    {"Text4", &RunEntries::dutyCycle, {"0.5", "0", "1", "1.5"}},
    {"Text3", &RunEntries::signalFreq, {"1", "3", "1.5", "0.2", "-50"}},
    {"Text7", &RunEntries::noiseFreq, {"50", "49.9", "30", "300"}},
    {"Text10", &RunEntries::freqAxisZoom, {"0.7", "0", "1", "0,7", "2"}},
}};

// One run carried out to the end, from scratch: a fresh module drawing into a fresh,
// hidden pair of plot windows, with the same entries, drop-down text and filter switch
// as the program's. After a request, the program's windows must show exactly this.
class CompleteRun {
public:
    CompleteRun(const RunEntries& entries, std::string signalType, bool filterOn, bool filterOff)
    {
        const RunOutcome outcome =
            runThrough(m_module, {entries, std::move(signalType), filterOn, filterOff});
        m_refusal = outcome.refusal();
        if (outcome.run) {
            m_waveform.plot().clear();
            m_spectrum.plot().clear();
            drawRun(*outcome.run, m_waveform.plot(), m_spectrum.plot());
        }
    }

    const std::optional<std::string>& refusal() const { return m_refusal; }
    const ComputationModule& module() const { return m_module; }
    QImage waveformImage() { return m_waveform.plot().image(); }
    QImage spectrumImage() { return m_spectrum.plot().image(); }

private:
    std::optional<std::string> m_refusal;
    ComputationModule m_module;
    // A parent keeps the two windows out of the program's top-level windows.
    QWidget m_holder;
    Form3 m_spectrum{m_module, &m_holder};
    Form2 m_waveform{m_module, &m_holder};
};

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What the windows show of a run: both plots and the DC readout.
struct ShownRun {
    QImage waveform;
    QImage spectrum;
    QString dcReadout;

    bool operator==(const ShownRun&) const = default;
};

// The offscreen platform cannot raise windows or pass on size hints, and says so at
// every window the soak shows; other messages go through.
QtMessageHandler passedOn = nullptr;

void dropPlatformLimits(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (!text.startsWith(QLatin1String("This plugin does not support")))
        passedOn(type, context, text);
}

}  // namespace

// A few hundred random requests, cursor movements and "Visualizza spettro" clicks in a
// row, each followed by checks that the program still answers and that its windows
// show one complete run, not part of one.
class WindowSoakTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { passedOn = qInstallMessageHandler(dropPlatformLimits); }
    void cleanupTestCase() { qInstallMessageHandler(passedOn); }

    void manyRequestsAndMovementsLeaveWholeRunsAndNoGrowth()
    {
        std::mt19937 random(20240611);
        Program p;
        m_program = &p;

        // Everything the soak creates once and keeps (both windows, the spectrum shown,
        // a message box, the tool-tips) is made before the first measurement.
        request(defaultEntries(), 0, true);
        QVERIFY(QTest::qWaitForWindowExposed(p.waveform()));
        showSpectrum();
        moveOver(p.waveform()->plot(), random);
        moveOver(p.spectrum()->plot(), random);
        RunEntries refused = defaultEntries();
        refused.freqAxisZoom = "0";
        request(refused, 0, true);
        request(defaultEntries(), 0, true);
        if (QTest::currentTestFailed())
            return;
        const std::size_t afterFirstRun = heapInUse();

        constexpr int steps = 300;
        for (int step = 0; step < steps; ++step) {
            const int action = std::uniform_int_distribution<int>(0, 9)(random);
            if (action < 5)
                randomRequest(random);
            else if (action < 9)
                moveOver(action < 7 ? p.waveform()->plot() : p.spectrum()->plot(), random);
            else
                showSpectrum();
            if (QTest::currentTestFailed()) {
                qWarning("failed at step %d", step);
                return;
            }
        }

        request(defaultEntries(), 0, true);
        const std::size_t afterSoak = heapInUse();
        constexpr std::size_t bound = 1 << 20;
        QVERIFY2(afterSoak <= afterFirstRun + bound,
                 qPrintable(QStringLiteral("heap in use grew from %1 to %2 bytes")
                                .arg(afterFirstRun)
                                .arg(afterSoak)));
    }

private:
    static RunEntries defaultEntries()
    {
        RunEntries entries;
        for (const EntryChoices& choice : entryChoices)
            entries.*choice.field = choice.texts.front();
        return entries;
    }

    // The steps below record a failed check as the test's failure and return early;
    // once one has failed, the following ones do nothing.

    void randomRequest(std::mt19937& random)
    {
        RunEntries entries;
        for (const EntryChoices& choice : entryChoices) {
            const bool keepDefault = std::bernoulli_distribution(0.7)(random);
            const auto pick =
                std::uniform_int_distribution<std::size_t>(0, choice.texts.size() - 1)(random);
            entries.*choice.field = choice.texts[keepDefault ? 0 : pick];
        }
        const int signal = std::discrete_distribution<int>({45, 45, 10})(random);
        request(entries, signal, std::bernoulli_distribution(0.5)(random));
    }

    // Types the entries, chooses the signal (0 sine, 1 pulses, else a text that is
    // neither) and the filter, presses "Grafici" and checks the outcome against the same
    // request run to completion from scratch.
    void request(const RunEntries& entries, int signal, bool filterOn)
    {
        if (QTest::currentTestFailed())
            return;
        Program& p = *m_program;
        for (const EntryChoices& choice : entryChoices)
            p.type(choice.box, QString::fromStdString(entries.*choice.field));
        if (signal == 0 || signal == 1)
            p.chooseSignal(signal);
        else
            p.control<QComboBox>("Combo1")->setEditText(QStringLiteral("segnale sinusoidale"));
        p.control<QRadioButton>(filterOn ? "Option1" : "Option2")->click();

        CompleteRun expected(entries, p.control<QComboBox>("Combo1")->currentText().toStdString(),
                             p.control<QRadioButton>("Option1")->isChecked(),
                             p.control<QRadioButton>("Option2")->isChecked());
        const MessagesSeen seen = p.grafici();
        if (expected.refusal()) {
            QCOMPARE(seen.texts, QStringList{QString::fromStdString(*expected.refusal())});
        } else {
            QVERIFY(seen.texts.isEmpty());
            const ShownRun next{expected.waveformImage(), expected.spectrumImage(),
                                QString::fromStdString(formatScientific2(
                                    expected.module().dcComponent(), localeDecimalSeparator()))};
            // The new run may take a moment to reach the windows, but until it is there
            // whole they show the previous one, never something in between. The bound is
            // for a run that never arrives, not for a slow machine.
            QDeadlineTimer deadline(60000);
            while (shownNow() != next) {
                QVERIFY2(shownNow() == m_shown, "a window shows part of a run");
                QVERIFY2(!deadline.hasExpired(), "the run did not reach the windows within a minute");
                QTest::qWait(5);
            }
            m_shown = next;
            QVERIFY(p.module.arrays() == expected.module().arrays());
        }
        stillWhole();
    }

    // A cursor movement at a random place over the plot or just beside it (as in a
    // drag). The tool-tip must show the readout at the position the plot reported, for
    // the curve the movement left selected; with none selected it stays as it was.
    void moveOver(PlotWidget& plot, std::mt19937& random)
    {
        if (QTest::currentTestFailed())
            return;
        const QRect area = plot.contentsRect().adjusted(-20, -20, 20, 20);
        const QPoint pixel(std::uniform_int_distribution<int>(area.left(), area.right())(random),
                           std::uniform_int_distribution<int>(area.top(), area.bottom())(random));
        const QString tipBefore = plot.toolTip();
        std::optional<QPointF> reported;
        const auto connection =
            connect(&plot, &PlotWidget::mouseMoved, this, [&](int, int, float x, float y) {
                reported = {x, y};
            });
        QMouseEvent move(QEvent::MouseMove, QPointF(pixel), QPointF(plot.mapToGlobal(pixel)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&plot, &move);
        disconnect(connection);
        QVERIFY(reported.has_value());

        const auto x = static_cast<float>(reported->x());
        const auto y = static_cast<float>(reported->y());
        ComputationModule& module = m_program->module;
        const std::string separator = localeDecimalSeparator();
        QString expected = tipBefore;
        if (&plot == &m_program->spectrum()->plot()) {
            expected = QString::fromStdString(spectrumReadout(module, x, y, separator));
        } else {
            Form2* waveform = m_program->waveform();
            if (waveform->findChild<QRadioButton*>("Option1")->isChecked())
                expected = QString::fromStdString(
                    waveformReadout(module, WaveformCurve::input, x, y, separator));
            else if (waveform->findChild<QRadioButton*>("Option2")->isChecked())
                expected = QString::fromStdString(
                    waveformReadout(module, WaveformCurve::output, x, y, separator));
        }
        QCOMPARE(plot.toolTip(), expected);
        stillWhole();
    }

    void showSpectrum()
    {
        if (QTest::currentTestFailed())
            return;
        Form2* waveform = m_program->waveform();
        const MessagesSeen seen =
            acceptMessages([&] { waveform->findChild<QAbstractButton*>("Command1")->click(); });
        if (seen.texts.isEmpty()) {
            QVERIFY(m_program->spectrum()->isVisible());
        } else {
            QCOMPARE(seen.texts.size(), 1);
            QVERIFY(QStringList({fromView(messages::windowNotWhole),
                                 fromView(messages::signalFreqNotWhole),
                                 fromView(messages::noiseFreqNotWhole)})
                        .contains(seen.texts.front()));
        }
        stillWhole();
    }

    ShownRun shownNow() const
    {
        Form2* waveform = m_program->waveform();
        Form3* spectrum = m_program->spectrum();
        if (!waveform || !spectrum)
            return {};
        return {waveform->plot().image(), spectrum->plot().image(),
                spectrum->findChild<QLabel*>("Label1")->text()};
    }

    // The program answers (an event posted now is handled) and its windows show the
    // last complete run: its curves, its spectrum lines and its DC component.
    void stillWhole()
    {
        bool answered = false;
        QTimer::singleShot(0, this, [&answered] { answered = true; });
        QVERIFY2(QTest::qWaitFor([&answered] { return answered; }, 60000),
                 "the program does not answer within a minute");
        QVERIFY(m_program->waveform() && m_program->waveform()->isVisible());
        QVERIFY2(shownNow() == m_shown, "the windows do not show the last complete run");
    }

    Program* m_program = nullptr;
    ShownRun m_shown;
};

QTEST_MAIN(WindowSoakTest)
#include "windowsoak_test.moc"

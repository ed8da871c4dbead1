// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/messages.h"
#include "core/numberformat.h"
#include "core/samplecount.h"
#include "plot/plotdrawing.h"
#include "tests/windowsupport.h"
#include "ui/zoom.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolTip>

#include <utility>

namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Pixels of exactly `colour` in the plot's picture, in the columns around user x.
int pixelsAtX(const PlotWidget& plot, double x, QColor colour)
{
    const QImage& image = plot.image();
    const int centre = static_cast<int>(x / 100 * image.width());
    int count = 0;
    for (int column = std::max(0, centre - 2); column <= std::min(image.width() - 1, centre + 2);
         ++column)
        for (int row = 0; row < image.height(); ++row)
            count += image.pixelColor(column, row) == colour;
    return count;
}

int pixelsOf(const QImage& image, QColor colour)
{
    int count = 0;
    for (int row = 0; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column)
            count += image.pixelColor(column, row) == colour;
    return count;
}

// A pulse train 29 V high with no disturbance, so that V(t) peaks at exactly 29.
void choosePulses29(const Program& p)
{
    p.type("Text8", "29");
    p.type("Text5", "0");
    p.chooseSignal(1);
}

// A cursor movement over the plot at `pixel`, from the top-left of the widget.
void hover(QWidget* plot, QPoint pixel)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(pixel), QPointF(plot->mapToGlobal(pixel)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
}

// The window's readout handler, called by name at an exact position in user coordinates.
void moveOver(QWidget& window, float x, float y)
{
    QVERIFY(QMetaObject::invokeMethod(&window, "Picture1_MouseMove", Q_ARG(int, 0), Q_ARG(int, 0),
                                      Q_ARG(float, x), Q_ARG(float, y)));
}

QString tip(QWidget* window)
{
    return window->findChild<PlotWidget*>("Picture1")->toolTip();
}

const QColor redLine(255, 0, 0);

// Presses keys on a plot, written as "Home", "S+Right" (with Shift) or "Up*3" (three times).
void press(QWidget* plot, const QString& keys)
{
    static const QHash<QString, Qt::Key> names{{"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},
                                               {"Up", Qt::Key_Up},     {"Down", Qt::Key_Down},
                                               {"Home", Qt::Key_Home}, {"End", Qt::Key_End}};
    for (QString word : keys.split(' ', Qt::SkipEmptyParts)) {
        const bool shift = word.startsWith("S+");
        if (shift)
            word.remove(0, 2);
        const QStringList repeat = word.split('*');
        const int times = repeat.size() > 1 ? repeat[1].toInt() : 1;
        QVERIFY(names.contains(repeat[0]));
        for (int i = 0; i < times; ++i)
            QTest::keyClick(plot, names[repeat[0]], shift ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

// The last spectrum line the plot shows: R(N/2), or the last one left of x = 100.
std::int32_t lastLineOnPlot(const CompletedRun& run)
{
    std::int32_t k = highestLine(run.parameters.sampleCount);
    while (k > 0 && lineX(k, run.parameters.sampleCount, run.spectrumScale) > 100)
        --k;
    return k;
}

// The default sine run with the given plot's window active and the plot focused.
PlotWidget* focusedPlot(const Program& p, bool spectrum)
{
    p.chooseSignal(0);
    if (!p.grafici().texts.isEmpty())
        return nullptr;
    QWidget* window = p.waveform();
    if (spectrum) {
        p.waveform()->findChild<QAbstractButton*>("Command1")->click();
        window = p.spectrum();
    }
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        return nullptr;
    auto* plot = window->findChild<PlotWidget*>("Picture1");
    plot->setFocus();
    return plot->hasFocus() ? plot : nullptr;
}

int pixelsInside(const PlotWidget& plot, const QImage& grabbed, QColor colour)
{
    return pixelsOf(grabbed.copy(plot.contentsRect()), colour);
}

}  // namespace

class PlotWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_locale = QLocale(); }
    void cleanup() { QLocale::setDefault(m_locale); }

    void theWaveformReadoutFollowsTheCursorsHalf()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Program p;
        choosePulses29(p);
        QVERIFY(p.grafici().texts.isEmpty());
        Form2& waveform = *p.waveform();
        auto* input = waveform.findChild<QRadioButton*>("Option1");
        auto* output = waveform.findChild<QRadioButton*>("Option2");
        QVERIFY(!input->isChecked() && !output->isChecked());
        QVERIFY(tip(&waveform).isEmpty());
        moveOver(waveform, 10, -5);  // below the plot before any selection: nothing
        QVERIFY(tip(&waveform).isEmpty());

        moveOver(waveform, 25, 85);
        QCOMPARE(tip(&waveform), QStringLiteral("t= 0.50 sec ; V(t) = 1.45E+01 V"));
        QVERIFY(input->isChecked());
        moveOver(waveform, 100, 55);
        QCOMPARE(tip(&waveform), QStringLiteral("t= 2.00 sec ; V(t) = -2.90E+01 V"));
        moveOver(waveform, 40, 50);
        QVERIFY(input->isChecked());
        QCOMPARE(tip(&waveform), QStringLiteral("t= 0.80 sec ; V(t) = -3.62E+01 V"));
        moveOver(waveform, 0, 49.99f);
        QVERIFY(output->isChecked() && !input->isChecked());
        QVERIFY(tip(&waveform).startsWith(QStringLiteral("t= 0.00 sec ; Vr(t) = ")));
        moveOver(waveform, 0, 25);
        QCOMPARE(tip(&waveform), QStringLiteral("t= 0.00 sec ; Vr(t) = 0.00E+00 V"));
        // Dragged below the plot the selection stays; above it V(t) is selected.
        moveOver(waveform, 50, -10);
        QVERIFY(output->isChecked());
        QVERIFY(tip(&waveform).startsWith(QStringLiteral("t= 1.00 sec ; Vr(t) = -")));
        moveOver(waveform, 50, 130);
        QVERIFY(input->isChecked());
        QCOMPARE(tip(&waveform), QStringLiteral("t= 1.00 sec ; V(t) = 7.98E+01 V"));
    }

    void theMouseReportsUserCoordinates()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Program p;
        choosePulses29(p);
        QVERIFY(p.grafici().texts.isEmpty());
        Form2& waveform = *p.waveform();
        auto* plot = waveform.findChild<PlotWidget*>("Picture1");
        QVERIFY(QTest::qWaitForWindowExposed(&waveform));
        const QRect area = plot->contentsRect();
        // A quarter across and at y = 75 (a quarter down from the top).
        hover(plot, area.topLeft() + QPoint(area.width() / 4, area.height() / 4));
        QVERIFY2(plot->toolTip().startsWith(QStringLiteral("t= 0.50 sec ; V(t) = ")),
                 qPrintable(plot->toolTip()));
        hover(plot, area.topLeft() + QPoint(area.width() / 2, area.height() * 3 / 4));
        QVERIFY(plot->toolTip().contains(QStringLiteral("Vr(t)")));
        QVERIFY2(plot->toolTip().startsWith(QStringLiteral("t= 1.00 sec")),
                 qPrintable(plot->toolTip()));
    }

    void aShowingToolTipFollowsAtOnce()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Program p;
        choosePulses29(p);
        QVERIFY(p.grafici().texts.isEmpty());
        Form2* waveform = p.waveform();
        auto* plot = waveform->findChild<PlotWidget*>("Picture1");
        QApplication::setActiveWindow(waveform);
        QVERIFY(QTest::qWaitForWindowActive(waveform));
        const QRect area = plot->contentsRect();
        hover(plot, area.center());
        // As if the cursor had rested there long enough for the tool-tip to appear.
        QToolTip::showText(plot->mapToGlobal(area.center()), plot->toolTip(), plot);
        QVERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().startsWith(QStringLiteral("t= 1.00 sec")));
        hover(plot, area.topLeft() + QPoint(area.width() / 4, area.height() / 4));
        QCOMPARE(QToolTip::text(), plot->toolTip());
        QVERIFY(QToolTip::text().startsWith(QStringLiteral("t= 0.50 sec")));
        QToolTip::hideText();
    }

    void theSpectrumReadoutAndTheDcReadout()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        Form3& spectrum = *p.spectrum();
        QCOMPARE(spectrum.findChild<QLabel*>("Label1")->text(), QStringLiteral("2.50E+01"));
        QVERIFY(tip(&spectrum).isEmpty());
        moveOver(spectrum, 70.028f, 0);
        QCOMPARE(tip(&spectrum), QStringLiteral("f= 50.00 Hz ; S(f) = 0.00E+00 V"));
        moveOver(spectrum, 100, 0);
        QCOMPARE(tip(&spectrum), QStringLiteral("f= 71.40 Hz ; S(f) = 0.00E+00 V"));
        moveOver(spectrum, 0, 90);
        QCOMPARE(tip(&spectrum),
                 QStringLiteral("f= 0.00 Hz ; S(f) = ") +
                     QString::fromStdString(formatScientific2(p.module.spectrumPeak())) + " V");
    }

    void aCommaLocaleShowsCommas()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        QCOMPARE(p.spectrum()->findChild<QLabel*>("Label1")->text(), QStringLiteral("2,50E+01"));
        moveOver(*p.spectrum(), 70.028f, 0);
        QCOMPARE(tip(p.spectrum()), QStringLiteral("f= 50,00 Hz ; S(f) = 0,00E+00 V"));
        // The entries are still read with the point.
        choosePulses29(p);
        QVERIFY(p.grafici().texts.isEmpty());
        moveOver(*p.waveform(), 25, 85);
        QCOMPARE(tip(p.waveform()), QStringLiteral("t= 0,50 sec ; V(t) = 1,45E+01 V"));
    }

    void visualizzaSpettroNeedsWholeNumbers_data()
    {
        QTest::addColumn<QString>("W");
        QTest::addColumn<QString>("signalFreq");
        QTest::addColumn<QString>("noiseFreq");
        QTest::addColumn<QString>("message");
        QTest::newRow("defaults") << "2"
                                  << "1"
                                  << "50" << QString();
        QTest::newRow("W 2.5") << "2.5"
                               << "1.5"
                               << "49.9" << fromView(messages::windowNotWhole);
        QTest::newRow("f segnale 1.5") << "2"
                                       << "1.5"
                                       << "50" << fromView(messages::signalFreqNotWhole);
        QTest::newRow("f disturbo 49.9") << "2"
                                         << "1"
                                         << "49.9" << fromView(messages::noiseFreqNotWhole);
    }

    void visualizzaSpettroNeedsWholeNumbers()
    {
        QFETCH(QString, W);
        QFETCH(QString, signalFreq);
        QFETCH(QString, noiseFreq);
        QFETCH(QString, message);
        Program p;
        p.type("Text1", W);
        p.type("Text3", signalFreq);
        p.type("Text7", noiseFreq);
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        Form2& waveform = *p.waveform();
        const MessagesSeen seen =
            acceptMessages([&] { waveform.findChild<QAbstractButton*>("Command1")->click(); });
        if (message.isEmpty()) {
            QVERIFY(seen.texts.isEmpty());
            QVERIFY(p.spectrum()->isVisible());
        } else {
            QCOMPARE(seen.texts, QStringList{message});
            QVERIFY(seen.onlyOk);
            QCOMPARE(QString::fromStdString(p.module.messageText()), message);
            QVERIFY(!p.spectrum()->isVisible());
        }
    }

    void aRefusedRequestChangesNoPlotAndNoReadout()
    {
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        QVERIFY(acceptMessages([&] {
                    p.waveform()->findChild<QAbstractButton*>("Command1")->click();
                }).texts.isEmpty());
        const QImage waveformBefore = p.waveform()->plot().image().copy();
        const QImage spectrumBefore = p.spectrum()->plot().image().copy();
        const QString dcBefore = p.spectrum()->findChild<QLabel*>("Label1")->text();

        p.type("Text1", "2.5");
        p.type("Text10", "0");
        QCOMPARE(p.grafici().texts, QStringList{fromView(messages::zoomZero)});
        QCOMPARE(p.waveform()->plot().image(), waveformBefore);
        QCOMPARE(p.spectrum()->plot().image(), spectrumBefore);
        QCOMPARE(p.spectrum()->findChild<QLabel*>("Label1")->text(), dcBefore);
        QVERIFY(p.spectrum()->isVisible());
        // The record now holds W = 2.5, but the run on screen has W = 2: its spectrum
        // may be opened again.
        p.spectrum()->close();
        QVERIFY(acceptMessages([&] {
                    p.waveform()->findChild<QAbstractButton*>("Command1")->click();
                }).texts.isEmpty());
        QVERIFY(p.spectrum() && p.spectrum()->isVisible());
    }

    void aRefusedRequestLeavesTheReadoutsAsTheyWere_data()
    {
        QTest::addColumn<QString>("W");
        QTest::addColumn<QString>("N");
        QTest::newRow("W 4, N 100") << "4"
                                    << "100";
        QTest::newRow("W 2.5, N 100") << "2.5"
                                      << "100";
        QTest::newRow("W 0") << "0"
                             << "1000";
    }

    void aRefusedRequestLeavesTheReadoutsAsTheyWere()
    {
        QFETCH(QString, W);
        QFETCH(QString, N);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        const auto readouts = [&] {
            QStringList tips;
            for (const auto& [x, y] : {std::pair{29.0f, 85.0f}, std::pair{60.0f, 30.0f}}) {
                moveOver(*p.waveform(), x, y);
                tips << tip(p.waveform());
            }
            moveOver(*p.spectrum(), 70.028f, 45);
            return tips << tip(p.spectrum());
        };
        const auto visualizzaSpettro = [&] {
            return acceptMessages(
                       [&] { p.waveform()->findChild<QAbstractButton*>("Command1")->click(); })
                .texts;
        };
        QVERIFY(visualizzaSpettro().isEmpty());
        const QStringList before = readouts();
        QVERIFY(before[0].startsWith(QStringLiteral("t= 0.58 sec ; V(t) = ")));
        QVERIFY(before[2].startsWith(QStringLiteral("f= 50.00 Hz ; S(f) = ")));

        p.type("Text1", W);
        p.type("Text13", N);
        QCOMPARE(p.grafici().texts.size(), 1);
        QCOMPARE(p.module.parameters().windowTime, W.toDouble());
        QCOMPARE(readouts(), before);
        QVERIFY(visualizzaSpettro().isEmpty());
        QVERIFY(p.spectrum()->isVisible());
    }

    void closedWindowsComeBackEmpty()
    {
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        Form2* waveform = p.waveform();
        waveform->findChild<QAbstractButton*>("Command1")->click();
        QVERIFY(p.spectrum()->isVisible());
        QVERIFY(pixelsOf(p.spectrum()->plot().image(), redLine) > 0);

        p.spectrum()->close();
        QVERIFY(p.spectrum() == nullptr);
        waveform->findChild<QAbstractButton*>("Command1")->click();
        Form3* reopened = p.spectrum();
        QVERIFY(reopened && reopened->isVisible());
        QVERIFY(reopened->findChild<QLabel*>("Label1")->text().isEmpty());
        QCOMPARE(pixelsOf(reopened->plot().image(), Qt::black),
                 reopened->plot().image().width() * reopened->plot().image().height());
        // No run has drawn here yet: neither the cursor nor the keys show a readout.
        moveOver(*reopened, 50, 50);
        QVERIFY(tip(reopened).isEmpty());
        QTest::keyClick(&reopened->plot(), Qt::Key_Right);
        QVERIFY(tip(reopened).isEmpty() && !reopened->plot().mark());
        QVERIFY(reopened->plot().accessibleDescription().isEmpty());

        // The next run draws into that window and leaves it shown.
        QVERIFY(p.grafici().texts.isEmpty());
        QCOMPARE(p.spectrum(), reopened);
        QVERIFY(reopened->isVisible());
        QVERIFY(pixelsOf(reopened->plot().image(), redLine) > 0);
        QCOMPARE(reopened->findChild<QLabel*>("Label1")->text(), QStringLiteral("2.50E+01"));
        moveOver(*reopened, 50, 50);
        QVERIFY(!tip(reopened).isEmpty());

        p.waveform()->close();
        QVERIFY(p.waveform() == nullptr);
        QVERIFY(p.grafici().texts.isEmpty());
        QVERIFY(p.waveform() && p.waveform()->isVisible());
        QVERIFY(!p.waveform()->findChild<QRadioButton*>("Option1")->isChecked());
        QVERIFY(tip(p.waveform()).isEmpty());
    }

    void closingTheParameterWindowClosesEverything()
    {
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        p.waveform()->findChild<QAbstractButton*>("Command1")->click();
        QVERIFY(p.spectrum()->isVisible());
        QVERIFY(p.form1->close());
        QVERIFY(p.waveform() == nullptr);
        QVERIFY(p.spectrum() == nullptr);
    }

    void theFilterRemovesTheDisturbanceLine_data()
    {
        QTest::addColumn<bool>("filterOn");
        QTest::newRow("Filtro ON") << true;
        QTest::newRow("Filtro OFF") << false;
    }

    void theFilterRemovesTheDisturbanceLine()
    {
        QFETCH(bool, filterOn);
        Program p;
        p.chooseSignal(0);
        p.control<QRadioButton>(filterOn ? "Option1" : "Option2")->click();
        QVERIFY(p.grafici().texts.isEmpty());
        const PlotWidget& spectrum = p.spectrum()->plot();
        // The 50 Hz line stands at x = 70.028, 4/25 as tall as the 1 Hz signal's at
        // x = 1.4006.
        QCOMPARE(pixelsAtX(spectrum, 70.028, redLine) > 50, !filterOn);
        QVERIFY(pixelsAtX(spectrum, 1.4006, redLine) > 100);
        QCOMPARE(pixelsOf(spectrum.image(), redLine) > 0, true);

        // The waveforms: V(t) black in the upper half, Vr(t) red in the lower half, where
        // the disturbance's ripple is gone only with the filter on.
        const QImage waveform = p.waveform()->plot().image();
        const int half = waveform.height() / 2;
        QVERIFY(pixelsOf(waveform.copy(0, half, waveform.width(), half), redLine) > 500);
        QCOMPARE(pixelsOf(waveform.copy(0, 0, waveform.width(), half), redLine), 0);
        QVERIFY(pixelsOf(waveform.copy(0, 0, waveform.width(), half), Qt::black) > 1000);
    }

    void theKeysReadWhatTheMouseReadsAtTheirPoint_data()
    {
        QTest::addColumn<bool>("spectrum");
        QTest::addColumn<QString>("keys");
        // The sample or line the point is on (-1: the last line on the plot), and its y:
        // on the V(t) curve or the line's top, and that many units above it, or at y.
        QTest::addColumn<int>("place");
        QTest::addColumn<bool>("onCurve");
        QTest::addColumn<double>("y");
        // Entries of a request refused before the keys are pressed, as "Text13=2000",
        // and how the readout starts.
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("reads");
        QTest::newRow("waveform Home") << false << "Home" << 0 << true << 0.0 << QString() << "t= ";
        QTest::newRow("waveform End")
            << false << "End" << 1000 << true << 0.0 << QString() << "t= ";
        QTest::newRow("waveform starts in the middle")
            << false << "Right" << 501 << true << 0.0 << QString() << "t= ";
        QTest::newRow("waveform Shift steps ten")
            << false << "Home S+Right*2 Left" << 19 << true << 0.0 << QString() << "t= ";
        QTest::newRow("waveform stops at the first")
            << false << "Home Left S+Left" << 0 << true << 0.0 << QString() << "t= ";
        QTest::newRow("waveform Up 1 %")
            << false << "Up*3 S+Up" << 500 << false << 63.0 << QString() << "t= ";
        QTest::newRow("waveform Up leaves the curve")
            << false << "Right Up*2" << 501 << true << 2.0 << QString() << "t= ";
        QTest::newRow("waveform stops at the bottom")
            << false << "S+Down*6" << 500 << false << 0.0 << QString() << "t= ";
        QTest::newRow("waveform Left comes back onto the curve")
            << false << "End S+Up*6 Left" << 999 << true << 0.0 << QString() << "t= ";
        QTest::newRow("spectrum Home") << true << "Home" << 1 << true << 0.0 << QString() << "f= ";
        QTest::newRow("spectrum one line")
            << true << "Home Right" << 2 << true << 0.0 << QString() << "f= ";
        QTest::newRow("spectrum Shift steps ten")
            << true << "Home S+Right" << 11 << true << 0.0 << QString() << "f= ";
        QTest::newRow("spectrum End") << true << "End" << -1 << true << 0.0 << QString() << "f= ";
        QTest::newRow("spectrum stops at the last")
            << true << "End Right Up" << -1 << true << 1.0 << QString() << "f= ";
        // The keys read the run on screen, not the refused request's N.
        QTest::newRow("waveform End after a refusal")
            << false << "End" << 1000 << true << 0.0 << "Text13=2000 Text7=600"
            << "t= 2.00 sec ; ";
        QTest::newRow("spectrum End after a refusal")
            << true << "End" << -1 << true << 0.0 << "Text13=2000 Text7=600"
            << "f= 71.00 Hz ; ";
    }

    // The keys read through the mouse's own readout, and the tool-tip, wherever it
    // showed before, moves to the cross.
    void theKeysReadWhatTheMouseReadsAtTheirPoint()
    {
        QFETCH(bool, spectrum);
        QFETCH(QString, keys);
        QFETCH(int, place);
        QFETCH(bool, onCurve);
        QFETCH(double, y);
        QFETCH(QString, refused);
        QFETCH(QString, reads);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Program p;
        PlotWidget* plot = focusedPlot(p, spectrum);
        QVERIFY(plot);
        if (!refused.isEmpty()) {
            for (const QString& entry : refused.split(u' '))
                p.type(qPrintable(entry.section(u'=', 0, 0)), entry.section(u'=', 1));
            QCOMPARE(p.grafici().texts.size(), 1);
            QApplication::setActiveWindow(plot->window());
            QVERIFY(QTest::qWaitForWindowActive(plot->window()));
            plot->setFocus();
        }
        QToolTip::showText(plot->mapToGlobal(QPoint(5, 5)), QStringLiteral("altrove"), plot);
        press(plot, keys);

        const CompletedRun& run = *p.module.completedRun();
        const std::int32_t n = run.parameters.sampleCount;
        if (place < 0)
            place = lastLineOnPlot(run);
        const auto at = static_cast<std::size_t>(place);
        const float x = spectrum ? lineX(place, n, run.spectrumScale) : sampleX(place, n);
        if (onCurve)
            y += spectrum ? lineTopY(run.arrays.spectrumMag[at], run.spectrumPeak)
                          : curvePointY(run.arrays.inputSignal[at], run.inputPeak, 75);
        QVERIFY(plot->mark());
        QCOMPARE(plot->mark()->x(), static_cast<double>(x));
        QCOMPARE(plot->mark()->y(), y);
        const QString readout = plot->toolTip();
        QVERIFY2(readout.startsWith(reads), qPrintable(readout));
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), readout);
        QWidget* tipBox = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->inherits("QTipLabel") && top->isVisible())
                tipBox = top;
        QVERIFY(tipBox);
        const QPoint cross = plot->mapToGlobal(
            (QPointF(plot->contentsRect().topLeft()) + plot->toPixel(*plot->mark())).toPoint());
        QVERIFY2(tipBox->geometry().adjusted(-30, -30, 30, 30).contains(cross),
                 qPrintable(QStringLiteral("tool-tip at %1,%2, cross at %3,%4")
                                .arg(tipBox->x())
                                .arg(tipBox->y())
                                .arg(cross.x())
                                .arg(cross.y())));
        // The mouse's readout at the same point.
        moveOver(*plot->window(), x, static_cast<float>(y));
        QCOMPARE(plot->toolTip(), readout);
        QToolTip::hideText();
    }

    void theMouseTakesOverAndTheKeysGoOnFromIt()
    {
        Program p;
        PlotWidget* plot = focusedPlot(p, false);
        QVERIFY(plot);
        QTest::keyClick(plot, Qt::Key_Home);
        QVERIFY(plot->mark());
        std::optional<QPointF> mouse;
        int movements = 0;
        connect(plot, &PlotWidget::mouseMoved, this, [&](int, int, float x, float y) {
            mouse = QPointF(x, y);
            ++movements;
        });
        const QRect area = plot->contentsRect();
        hover(plot, area.topLeft() + QPoint(area.width() / 3, area.height() / 5));
        QVERIFY(mouse && !plot->mark());
        const QPointF left = *mouse;

        // The keys go on from the mouse's point, to the next sample right of it on the
        // curve of the half the mouse was in; they are not passed off as the mouse.
        QTest::keyClick(plot, Qt::Key_Right);
        const CompletedRun& run = *p.module.completedRun();
        const std::int32_t n = run.parameters.sampleCount;
        std::int32_t next = 0;
        while (sampleX(next, n) <= left.x())
            ++next;
        QVERIFY(plot->mark());
        QCOMPARE(plot->mark()->x(), static_cast<double>(sampleX(next, n)));
        QCOMPARE(plot->mark()->y(),
                 static_cast<double>(curvePointY(
                     run.arrays.inputSignal[static_cast<std::size_t>(next)], run.inputPeak, 75)));
        QCOMPARE(movements, 1);

        // A drag that left the point below the plot: the keys bring it back onto it.
        emit plot->mouseMoved(1, 0, 30, -20);
        QTest::keyClick(plot, Qt::Key_Up);
        QCOMPARE(plot->mark()->y(), 0.0);
    }

    void theCrossAndTheFocusStayOffTheCopiedPicture_data()
    {
        QTest::addColumn<bool>("spectrum");
        QTest::addColumn<QColor>("cross");
        QTest::newRow("waveform") << false << QColor(Qt::blue);
        QTest::newRow("spectrum") << true << QColor(Qt::white);
    }

    void theCrossAndTheFocusStayOffTheCopiedPicture()
    {
        QFETCH(bool, spectrum);
        QFETCH(QColor, cross);
        Program p;
        PlotWidget* plot = focusedPlot(p, spectrum);
        QVERIFY(plot);
        const QImage picture = plot->image().copy();
        plot->clearFocus();
        const QImage unfocused = plot->grab().toImage();
        QCOMPARE(pixelsInside(*plot, unfocused, cross), 0);

        plot->setFocus();
        QTest::keyClick(plot, Qt::Key_Up);
        const QImage marked = plot->grab().toImage();
        // The cross: two arms of 11 pixels, in the middle of the plot.
        QCOMPARE(pixelsInside(*plot, marked, cross), 21);
        // The focus rectangle, just inside the edge of the picture.
        const QRect inner = plot->contentsRect().adjusted(4, 4, -4, -4);
        int ring = 0;
        for (int row = 0; row < marked.height(); ++row)
            for (int column = 0; column < marked.width(); ++column)
                ring += !inner.contains(column, row) &&
                        marked.pixel(column, row) != unfocused.pixel(column, row);
        QVERIFY(ring > inner.width());
        QCOMPARE(plot->image(), picture);

        plot->clearFocus();
        QCOMPARE(plot->grab().toImage(), unfocused);
    }

    void thePlotsDescribeTheirRunAndSpeakTheKeysReadouts()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        Program p;
        PlotWidget* waveform = focusedPlot(p, false);
        QVERIFY(waveform);
        PlotWidget& spectrum = p.spectrum()->plot();
        QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(waveform);
        QCOMPARE(chart->role(), QAccessible::Chart);
        QCOMPARE(chart->text(QAccessible::Name), QStringLiteral("Forme d'onda reali"));
        QCOMPARE(QAccessible::queryAccessibleInterface(&spectrum)->text(QAccessible::Name),
                 QStringLiteral("Spettro"));
        auto peak = [](double value) {
            return QString::fromStdString(formatScientific2(value, ","));
        };
        const QString summary = "V(t): picco " + peak(p.module.inputPeak()) + " V; Vr(t): picco " +
                                peak(p.module.outputPeak()) + " V; N = 1000, W = 2 sec";
        QTRY_COMPARE(chart->text(QAccessible::Description), summary);
        const QString spectrumSummary =
            QAccessible::queryAccessibleInterface(&spectrum)->text(QAccessible::Description);
        QCOMPARE(spectrumSummary, "D.C.: 2,50E+01 V; riga più alta: f = 1,00 Hz, S(f) = " +
                                      peak(p.module.spectrumPeak()) + " V; N = 1000, W = 2 sec");

        // Each step of the keys is a new point of the chart, focused and named by its
        // readout and its sample; the mouse takes the point away.
        QCOMPARE(chart->childCount(), 0);
        QTest::keyClick(waveform, Qt::Key_Up);
        QVERIFY(waveform->toolTip().startsWith(QStringLiteral("t= 1,00 sec ; V(t) = ")));
        QAccessibleInterface* point = chart->focusChild();
        QVERIFY(point && point->state().focused);
        QCOMPARE(point->text(QAccessible::Name), waveform->toolTip() + ", campione 500 di 1000");
        QCOMPARE(chart->child(chart->childCount() - 1), point);
        const QAccessible::Id pointId = QAccessible::uniqueId(point);
        QTest::keyClick(waveform, Qt::Key_Right);
        QAccessibleInterface* next = chart->focusChild();
        QVERIFY(next && QAccessible::uniqueId(next) != pointId);
        QCOMPARE(next->text(QAccessible::Name), waveform->toolTip() + ", campione 501 di 1000");
        QCOMPARE(chart->text(QAccessible::Description), summary);
        hover(waveform, waveform->contentsRect().center());
        QCOMPARE(chart->childCount(), 0);
        QCOMPARE(chart->text(QAccessible::Description), summary);

        // A new run is described once it is drawn.
        p.type("Text13", "2000");
        QVERIFY(p.grafici().texts.isEmpty());
        QTRY_VERIFY(chart->text(QAccessible::Description).endsWith("N = 2000, W = 2 sec"));
    }

    void theWindowsCarryTheirIcons()
    {
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        for (QWidget* window :
             {static_cast<QWidget*>(p.form1.get()), static_cast<QWidget*>(p.waveform()),
              static_cast<QWidget*>(p.spectrum())}) {
            const QList<QSize> sizes = window->windowIcon().availableSizes();
            QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32)));
        }
        const QImage trefoil = p.spectrum()->windowIcon().pixmap(32, 32).toImage();
        QCOMPARE(trefoil.pixelColor(0, 0).alpha(), 0);  // transparent around it
        const QColor blade = trefoil.pixelColor(16, 5);
        QVERIFY(blade.red() > 200 && blade.green() > 180 && blade.blue() < 80);
        const QImage clock = p.form1->windowIcon().pixmap(32, 32).toImage();
        const QColor body = clock.pixelColor(16, 28);
        QVERIFY(body.red() > 150 && body.green() < 60 && body.blue() < 60);
    }

    void f1OpensTheGuideAtTheWindowsPart_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("heading");
        QTest::newRow("parametri") << "Form1"
                                   << "La finestra dei parametri";
        QTest::newRow("forme d'onda") << "Form2"
                                      << "La finestra «Forme d'onda reali»";
        QTest::newRow("spettro") << "Form3"
                                 << "La finestra «Spettro»";
    }

    // F1 opens the guide, named for a screen reader, with the part about the window it
    // was pressed in at the top; every step of the zoom scales its text.
    void f1OpensTheGuideAtTheWindowsPart()
    {
        QFETCH(QString, window);
        QFETCH(QString, heading);
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        p.waveform()->findChild<QAbstractButton*>("Command1")->click();
        // The small screen of these tests steps the zoom down; at 100 % the guide's text
        // reaches far enough past each part for that part to come to the top.
        p.form1->zoom().setPercent(100);
        QWidget* from = openWindow<QWidget>(qPrintable(window));
        QApplication::setActiveWindow(from);
        QVERIFY(QTest::qWaitForWindowActive(from));
        QTest::keyClick(from, Qt::Key_F1);

        auto* guide = openWindow<QWidget>("Guida");
        QVERIFY(guide && guide->isVisible());
        auto* text = guide->findChild<QTextBrowser*>("guideText");
        QVERIFY(!text->accessibleName().isEmpty());
        QTRY_COMPARE(text->cursorForPosition(QPoint(4, 4)).block().text(), heading);

        const int base = text->document()->defaultFont().pixelSize();  // at 100 %
        for (int step : Zoom::steps) {
            p.form1->zoom().setPercent(step);
            const int size = text->document()->defaultFont().pixelSize();
            QVERIFY2(std::abs(size - base * step / 100.0) <= 1,
                     qPrintable(QStringLiteral("%1 px at %2 %").arg(size).arg(step)));
        }
    }

    // F2 in either plot window brings the parameter window forward with the focus in
    // the entry last used, N before any.
    void f2BringsTheEntriesBack()
    {
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        p.waveform()->findChild<QAbstractButton*>("Command1")->click();
        const auto f2In = [&p](QWidget* window) {
            QApplication::setActiveWindow(window);
            QVERIFY(QTest::qWaitForWindowActive(window));
            QTest::keyClick(window, Qt::Key_F2);
            QVERIFY(QTest::qWaitForWindowActive(p.form1.get()));
        };
        f2In(p.waveform());
        QCOMPARE(QApplication::focusWidget(), p.control("Text13"));

        p.control("Text1")->setFocus();
        p.control("Command2")->setFocus();
        f2In(p.spectrum());
        QCOMPARE(QApplication::focusWidget(), p.control("Text1"));
    }

private:
    QLocale m_locale;
};

QTEST_MAIN(PlotWindowsTest)
#include "plotwindows_test.moc"

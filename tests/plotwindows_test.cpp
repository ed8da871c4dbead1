// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/messages.h"
#include "core/numberformat.h"
#include "tests/windowsupport.h"

#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
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
        // No run has drawn here yet: the cursor shows no readout.
        moveOver(*reopened, 50, 50);
        QVERIFY(tip(reopened).isEmpty());

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

private:
    QLocale m_locale;
};

QTEST_MAIN(PlotWindowsTest)
#include "plotwindows_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/messages.h"
#include "tests/windowsupport.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>

#include <cmath>
#include <cstddef>

namespace {

const QString copyImage = QStringLiteral("Copia immagine");
const QString copyData = QStringLiteral("Copia dati");

PlotWidget& plotOf(QWidget* window)
{
    return *window->findChild<PlotWidget*>("Picture1");
}

// The menu that is open now, if any.
QMenu* openMenu()
{
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// A right click in the middle of the plot; returns the menu it opened.
QMenu* rightClick(PlotWidget& plot)
{
    QTest::mouseClick(&plot, Qt::RightButton, Qt::NoModifier, plot.rect().center());
    return openMenu();
}

QAction* item(QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

// Clicks the item of the plot's menu with this text, as the user does.
void choose(PlotWidget& plot, const QString& text)
{
    QMenu* menu = rightClick(plot);
    QVERIFY(menu);
    QAction* action = item(menu, text);
    QVERIFY(action && action->isEnabled());
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
    QVERIFY(!menu->isVisible());
}

// The enabled state of the two copy items, in the order they are listed; the zoom's
// items follow them.
QList<bool> itemsEnabled(PlotWidget& plot)
{
    QMenu* menu = rightClick(plot);
    if (!menu)
        return {};
    QStringList texts;
    QList<bool> enabled;
    for (QAction* action : menu->actions().mid(0, 2)) {
        texts << action->text();
        enabled << action->isEnabled();
    }
    menu->close();
    if (texts != QStringList{copyImage, copyData})
        return {};
    return enabled;
}

// The clipboard's text split as a spreadsheet splits it: lines, then cells at tabs.
QList<QStringList> clipboardCells()
{
    QList<QStringList> rows;
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.endsWith(QLatin1Char('\n')))
        return rows;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        rows << line.split(QLatin1Char('\t'));
    return rows;
}

// A cell read with the point as decimal separator, as a spreadsheet in any locale
// reads pasted numbers it is told are in that form.
double number(const QString& cell)
{
    bool ok = false;
    const double value = cell.toDouble(&ok);
    return ok ? value : std::nan("");
}

QImage clipboardImage()
{
    return QGuiApplication::clipboard()->image();
}

// A movement over the plot at `pixel` with `buttons` held.
void move(PlotWidget& plot, QPoint pixel, Qt::MouseButtons buttons)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(pixel), QPointF(plot.mapToGlobal(pixel)),
                      Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&plot, &event);
}

}  // namespace

class PlotCopyTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_locale = QLocale();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup()
    {
        if (QMenu* menu = openMenu())
            menu->close();
        QLocale::setDefault(m_locale);
    }

    // The default run with the sine signal and "Filtro ON": the table holds its arrays
    // exactly, with the point, even where the locale writes a comma.
    void theWaveformDataAreTheRunsSamples()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        choose(plotOf(p.waveform()), copyData);

        const QList<QStringList> rows = clipboardCells();
        const SignalArrays& a = p.module.arrays();
        QCOMPARE(rows.size(), 1002);
        QCOMPARE(rows[0], (QStringList{"n", "t [s]", "V(t)", "Vr(t)"}));
        for (int n = 0; n <= 1000; ++n) {
            const QStringList& row = rows[n + 1];
            QCOMPARE(row.size(), 4);
            QCOMPARE(row[0], QString::number(n));
            QVERIFY(std::abs(number(row[1]) - 2.0 * n / 1000) <= 1e-15);
            QCOMPARE(number(row[2]), a.inputSignal[static_cast<std::size_t>(n)]);
            QCOMPARE(number(row[3]), a.outputSignal[static_cast<std::size_t>(n)]);
        }
    }

    // Lines 0..500 of the default run, the stop band 49..51 Hz (lines 98..102) marked.
    void theSpectrumDataAreTheRunsLines()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        choose(plotOf(p.spectrum()), copyData);

        const QList<QStringList> rows = clipboardCells();
        const SignalArrays& a = p.module.arrays();
        QCOMPARE(rows.size(), 502);
        QCOMPARE(rows[0], (QStringList{"k", "f [Hz]", "S(f)", "azzerata dal filtro"}));
        for (int k = 0; k <= 500; ++k) {
            const QStringList& row = rows[k + 1];
            QCOMPARE(row.size(), 4);
            QCOMPARE(row[0], QString::number(k));
            QCOMPARE(number(row[1]), k / 2.0);
            QCOMPARE(number(row[2]), a.spectrumMag[static_cast<std::size_t>(k)]);
            QCOMPARE(row[3], k >= 98 && k <= 102 ? QStringLiteral("sì") : QStringLiteral("no"));
        }
    }

    void theImageIsThePlotsPicture_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("Forme d'onda reali") << "Form2";
        QTest::newRow("Spettro") << "Form3";
    }

    // From the menu, from Ctrl+C and from the menu opened by the menu key, at the
    // picture's own pixel size.
    void theImageIsThePlotsPicture()
    {
        QFETCH(QString, window);
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        p.waveform()->findChild<QAbstractButton*>("Command1")->click();
        QWidget* shown = window == "Form2" ? static_cast<QWidget*>(p.waveform()) : p.spectrum();
        PlotWidget& plot = plotOf(shown);
        const QImage picture = plot.image();
        QCOMPARE(picture.size(), plot.contentsRect().size() * plot.devicePixelRatio());

        choose(plot, copyImage);
        QCOMPARE(clipboardImage().convertToFormat(picture.format()), picture);

        QGuiApplication::clipboard()->clear();
        plot.setFocus();
        QTest::keyClick(&plot, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboardImage().convertToFormat(picture.format()), picture);

        // What the platform sends for the menu key: a request from the keyboard.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, plot.rect().center(),
                                  plot.mapToGlobal(plot.rect().center()));
        QApplication::sendEvent(&plot, &menuKey);
        QMenu* menu = openMenu();
        QVERIFY(menu);
        QVERIFY(item(menu, copyImage)->isEnabled() && item(menu, copyData)->isEnabled());
        menu->close();

        // Shift+F10, the other key that opens a context menu.
        QTest::keyClick(&plot, Qt::Key_F10, Qt::ShiftModifier);
        menu = openMenu();
        QVERIFY(menu);
        QVERIFY(item(menu, copyImage)->isEnabled());
    }

    // Before the first run, and in a spectrum window shown again before the next one,
    // the plot holds no run: nothing to copy, and Ctrl+C leaves the clipboard alone.
    void anEmptyPlotHasNothingToCopy()
    {
        Program p;
        Form2& waveform = p.form1->waveformWindow();
        Form3& spectrum = p.form1->spectrumWindow();
        waveform.show();
        spectrum.show();
        const QList<bool> disabled{false, false};
        for (QWidget* window :
             {static_cast<QWidget*>(&waveform), static_cast<QWidget*>(&spectrum)}) {
            PlotWidget& plot = plotOf(window);
            QCOMPARE(itemsEnabled(plot), disabled);
            QGuiApplication::clipboard()->setText(QStringLiteral("prima"));
            plot.setFocus();
            QTest::keyClick(&plot, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("prima"));
        }

        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        QCOMPARE(itemsEnabled(plotOf(p.waveform())), (QList<bool>{true, true}));
        QCOMPARE(itemsEnabled(plotOf(p.spectrum())), (QList<bool>{true, true}));

        p.spectrum()->close();
        p.waveform()->findChild<QAbstractButton*>("Command1")->click();
        QVERIFY(p.spectrum() && p.spectrum()->isVisible());
        QCOMPARE(itemsEnabled(plotOf(p.spectrum())), disabled);
        QCOMPARE(itemsEnabled(plotOf(p.waveform())), (QList<bool>{true, true}));

        QVERIFY(p.grafici().texts.isEmpty());
        QCOMPARE(itemsEnabled(plotOf(p.spectrum())), (QList<bool>{true, true}));
    }

    // A refused request rewrites N, W, the band and (through the option buttons) the
    // filter setting the next run would use; the plots still show the last run, and so
    // do the copies.
    void aRefusedRequestDoesNotChangeTheCopies()
    {
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        p.waveform()->findChild<QAbstractButton*>("Command1")->click();
        QList<QString> data;
        QList<QImage> images;
        for (QWidget* window :
             {static_cast<QWidget*>(p.waveform()), static_cast<QWidget*>(p.spectrum())}) {
            choose(plotOf(window), copyData);
            data << QGuiApplication::clipboard()->text();
            choose(plotOf(window), copyImage);
            images << clipboardImage();
        }

        p.type("Text13", "400");
        p.type("Text1", "4");
        p.type("Text2", "10");
        p.type("Text6", "20");
        p.type("Text10", "0");
        p.control<QRadioButton>("Option2")->click();
        QCOMPARE(p.grafici().texts,
                 QStringList{QString::fromUtf8(messages::zoomZero.data(),
                                               static_cast<qsizetype>(messages::zoomZero.size()))});
        QCOMPARE(p.module.parameters().sampleCount, 400);

        int i = 0;
        for (QWidget* window :
             {static_cast<QWidget*>(p.waveform()), static_cast<QWidget*>(p.spectrum())}) {
            choose(plotOf(window), copyData);
            QCOMPARE(QGuiApplication::clipboard()->text(), data[i]);
            choose(plotOf(window), copyImage);
            QCOMPARE(clipboardImage(), images[i]);
            ++i;
        }
    }

    // A movement with a button held reads out as one without; the right button opens
    // the menu only when it is released, so a drag with it held keeps the readout going.
    void theRightButtonLeavesTheReadoutAlone()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        PlotWidget& plot = plotOf(p.waveform());
        QVERIFY(QTest::qWaitForWindowExposed(p.waveform()));
        const QRect area = plot.contentsRect();
        const QPoint upper = area.topLeft() + QPoint(area.width() / 4, area.height() / 4);
        const QPoint lower = area.topLeft() + QPoint(area.width() / 2, area.height() * 3 / 4);

        move(plot, upper, Qt::NoButton);
        const QString upperReadout = plot.toolTip();
        move(plot, lower, Qt::NoButton);
        const QString lowerReadout = plot.toolTip();
        QVERIFY(upperReadout.startsWith(QStringLiteral("t= 0.50 sec ; V(t) = ")));
        QVERIFY(lowerReadout.startsWith(QStringLiteral("t= 1.00 sec ; Vr(t) = ")));

        QTest::mousePress(&plot, Qt::RightButton, Qt::NoModifier, lower);
        QVERIFY(!openMenu());
        move(plot, upper, Qt::RightButton);
        QCOMPARE(plot.toolTip(), upperReadout);
        QVERIFY(p.waveform()->findChild<QRadioButton*>("Option1")->isChecked());
        move(plot, lower, Qt::RightButton | Qt::LeftButton);
        QCOMPARE(plot.toolTip(), lowerReadout);
        QTest::mouseRelease(&plot, Qt::RightButton, Qt::NoModifier, lower);
        QVERIFY(openMenu());
        openMenu()->close();
        QCOMPARE(plot.toolTip(), lowerReadout);
    }

private:
    QLocale m_locale;
};

QTEST_MAIN(PlotCopyTest)
#include "plotcopy_test.moc"

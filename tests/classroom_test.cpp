// SPDX-License-Identifier: GPL-3.0-or-later
// The windows in a classroom: the program's zoom, and the hints on entries that a run
// does not read whole.
#include "tests/windowsupport.h"
#include "ui/durationtext.h"
#include "ui/qtitaliantexts.h"
#include "ui/zoom.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <memory>

namespace {

// Where every control of a window stands and how large its text is.
struct Layout {
    QSize window;
    QList<QRect> places;
    QList<int> fontPixels;
};

Layout layoutOf(const QWidget& window)
{
    Layout layout{window.size(), {}, {}};
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow())
            continue;
        layout.places << control->geometry();
        layout.fontPixels << control->font().pixelSize();
    }
    return layout;
}

bool operator==(const Layout& a, const Layout& b)
{
    return a.window == b.window && a.places == b.places && a.fontPixels == b.fontPixels;
}

// Whether `zoomed` is `original` grown by `factor`, to the nearest pixel.
bool scaledBy(const Layout& original, const Layout& zoomed, double factor)
{
    auto near = [factor](int before, int after) { return std::abs(after - before * factor) <= 1; };
    if (!near(original.window.width(), zoomed.window.width()) ||
        original.places.size() != zoomed.places.size())
        return false;
    for (qsizetype i = 0; i < original.places.size(); ++i) {
        const QRect a = original.places[i];
        const QRect b = zoomed.places[i];
        if (!near(a.left(), b.left()) || !near(a.top(), b.top()) || !near(a.width(), b.width()) ||
            !near(a.height(), b.height()) || !near(original.fontPixels[i], zoomed.fontPixels[i]))
            return false;
    }
    return true;
}

void pressIn(QWidget* window, int key)
{
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, static_cast<Qt::Key>(key), Qt::ControlModifier);
}

// A cursor movement over the plot at `pixel` of its drawing area.
QString readoutAt(PlotWidget& plot, QPoint pixel)
{
    const QPoint at = plot.contentsRect().topLeft() + pixel;
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(plot.mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&plot, &move);
    return plot.toolTip();
}

int redPixelsNear(const PlotWidget& plot, double x)
{
    const QImage& image = plot.image();
    const int centre = static_cast<int>(x / 100 * image.width());
    int count = 0;
    for (int column = centre - 3; column <= centre + 3; ++column)
        for (int row = 0; row < image.height(); ++row)
            count += image.pixelColor(column, row) == QColor(255, 0, 0);
    return count;
}

const QColor entryPink(255, 192, 192);

}  // namespace

class ClassroomTest : public QObject {
    Q_OBJECT

private slots:
    void theTimeLeftReadsInTheUnitThatSuitsIt_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("seconds") << 40.0 << QStringLiteral("meno di un minuto");
        // A minute from the time that rounds to one.
        QTest::newRow("just under a minute") << 59.49 << QStringLiteral("meno di un minuto");
        QTest::newRow("a minute") << 59.5 << QStringLiteral("circa 1 min");
        QTest::newRow("minutes") << 4 * 60.0 + 10 << QStringLiteral("circa 4 min");
        QTest::newRow("hours") << 3 * 3600.0 << QStringLiteral("circa 3 ore");
        QTest::newRow("days") << 39 * 3600.0 << QStringLiteral("circa 2 giorni");
        // The largest N on two cores here: about a fortnight of arithmetic.
        QTest::newRow("weeks") << 15 * 86400.0 << QStringLiteral("circa 2 settimane");
        QTest::newRow("not a number") << std::nan("") << QStringLiteral("meno di un minuto");
    }

    void theTimeLeftReadsInTheUnitThatSuitsIt()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(aboutDuration(seconds)), text);
    }

    void theZoomScalesEveryWindowAndComesBackExactly()
    {
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        p.waveform()->findChild<QAbstractButton*>("Command1")->click();
        QList<QWidget*> windows{p.form1.get(), p.waveform(), p.spectrum()};
        QList<Layout> original;
        QList<QPoint> places;
        for (QWidget* window : windows) {
            original << layoutOf(*window);
            places << window->pos();
        }
        const QImage waveform = p.waveform()->plot().image().copy();
        const QImage spectrum = p.spectrum()->plot().image().copy();

        // What a style draws at a fixed size grows too: the option buttons' circles and
        // the drop-down's arrow.
        auto* option = p.control<QWidget>("Option1");
        auto* dropDown = p.control<QComboBox>("Combo1");
        const auto arrowWidth = [dropDown] {
            QStyleOptionComboBox parts;
            parts.initFrom(dropDown);
            parts.editable = true;
            return dropDown->style()
                ->subControlRect(QStyle::CC_ComboBox, &parts, QStyle::SC_ComboBoxArrow, dropDown)
                .width();
        };
        const int circle =
            option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option);
        const int arrow = arrowWidth();

        for (int press = 0; press < 3; ++press)
            pressIn(p.form1.get(), Qt::Key_Plus);
        QCOMPARE(p.form1->zoom().percent(), 150);
        QCOMPARE(option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option),
                 qRound(circle * 1.5));
        QCOMPARE(arrowWidth(), qRound(arrow * 1.5));
        for (qsizetype i = 0; i < windows.size(); ++i)
            QVERIFY2(scaledBy(original[i], layoutOf(*windows[i]), 1.5),
                     qPrintable(windows[i]->objectName()));

        pressIn(p.waveform(), Qt::Key_Minus);
        QCOMPARE(p.form1->zoom().percent(), 125);
        QWheelEvent turn(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                         Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(p.spectrum()->findChild<QWidget*>("Label4"), &turn);
        QCOMPARE(p.form1->zoom().percent(), 150);
        pressIn(p.spectrum(), Qt::Key_0);
        QCOMPARE(p.form1->zoom().percent(), 100);
        // The steps that pushed the windows to keep them on the screen are undone.
        for (qsizetype i = 0; i < windows.size(); ++i)
            QCOMPARE(windows[i]->pos(), places[i]);
        // A window the user has moved stays where the user put it.
        const QPoint moved = p.waveform()->pos() + QPoint(30, -20);
        p.waveform()->move(moved);
        pressIn(p.form1.get(), Qt::Key_Minus);
        pressIn(p.form1.get(), Qt::Key_0);
        QCOMPARE(p.waveform()->pos(), moved);

        // The plots' menu offers the same three steps, with their shortcuts, after its
        // two copy and two save items.
        PlotWidget& plot = p.waveform()->plot();
        QTest::mouseClick(&plot, Qt::RightButton, Qt::NoModifier, plot.rect().center());
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList items;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                items << action->text() + QLatin1Char('|') + action->shortcut().toString();
        QCOMPARE(items.mid(4),
                 (QStringList{QStringLiteral("Ingrandisci|Ctrl++"), QStringLiteral("Riduci|Ctrl+-"),
                              QStringLiteral("Dimensioni originali|Ctrl+0"),
                              QStringLiteral("Parametri|F2")}));
        menu->close();
        for (qsizetype i = 0; i < windows.size(); ++i)
            QVERIFY(layoutOf(*windows[i]) == original[i]);
        QCOMPARE(p.waveform()->plot().image(), waveform);
        QCOMPARE(p.spectrum()->plot().image(), spectrum);
    }

    void aZoomedReadoutReadsTheSameUserCoordinates()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Program p;
        p.type("Text8", "29");
        p.type("Text5", "0");
        p.chooseSignal(1);
        QVERIFY(p.grafici().texts.isEmpty());
        PlotWidget& plot = p.waveform()->plot();
        // The top-left corner of the drawing is (0, 100), the bottom-right one (100, 0).
        const QSize before = plot.contentsRect().size();
        const QString topLeft = readoutAt(plot, QPoint(0, 0));
        const QString bottomRight = readoutAt(plot, QPoint(before.width(), before.height()));
        QCOMPARE(topLeft, QStringLiteral("t= 0.00 sec ; V(t) = 3.62E+01 V"));

        p.form1->zoom().setPercent(150);
        const QSize after = plot.contentsRect().size();
        QVERIFY(after.width() > before.width() * 3 / 2 - 2);
        QCOMPARE(readoutAt(plot, QPoint(0, 0)), topLeft);
        QCOMPARE(readoutAt(plot, QPoint(after.width(), after.height())), bottomRight);
        QLocale::setDefault(QLocale::system());
    }

    // At every step each caption has the height its lines need in its font at that step:
    // a font rounded to whole pixels may need more than the box scaled in proportion.
    void noCaptionIsCutAtAnyStep_data()
    {
        QTest::addColumn<int>("percent");
        for (const int step : Zoom::steps)
            QTest::addRow("%d %%", step) << step;
    }

    void noCaptionIsCutAtAnyStep()
    {
        QFETCH(int, percent);
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        p.waveform()->findChild<QAbstractButton*>("Command1")->click();
        p.form1->zoom().setPercent(percent);
        for (const QWidget* window :
             {static_cast<QWidget*>(p.form1.get()), static_cast<QWidget*>(p.waveform()),
              static_cast<QWidget*>(p.spectrum())})
            for (const QLabel* label : window->findChildren<QLabel*>()) {
                if (!label->isVisible() || label->text().isEmpty())
                    continue;
                const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                     : label->sizeHint().height();
                // As at 100 %, the last line may leave out its spacing below the descenders.
                QVERIFY2(needed - 1 <= label->height(),
                         qPrintable(QStringLiteral("%1 \"%2\": %3 px of %4")
                                        .arg(label->objectName(), label->text())
                                        .arg(needed)
                                        .arg(label->height())));
            }
    }

    void zoomedPlotsAreDrawnAgainNotStretched()
    {
        Program p;
        p.chooseSignal(0);
        p.control<QAbstractButton>("Option2")->click();  // the 50 Hz line stays
        QVERIFY(p.grafici().texts.isEmpty());
        PlotWidget& spectrum = p.spectrum()->plot();
        const int atHundred = redPixelsNear(spectrum, 70.028);
        QVERIFY(atHundred > 50);

        p.form1->zoom().setPercent(200);
        QCOMPARE(spectrum.image().size(), spectrum.contentsRect().size());
        // Drawn again at twice the size with lines two pixels wide, as a screen of twice
        // the density draws them: a picture stretched from 100 % would blur its edges.
        const int atDouble = redPixelsNear(spectrum, 70.028);
        QVERIFY2(atDouble > atHundred * 18 / 5 && atDouble < atHundred * 22 / 5,
                 qPrintable(QStringLiteral("%1 then %2").arg(atHundred).arg(atDouble)));
        QCOMPARE(spectrum.image().pixelColor(spectrum.image().width() / 2, 0), Qt::black);
    }

    // The frame that shows the focus grows with everything else: at 200 % its line is
    // two pixels wide, as a screen of twice the density draws it, on a button and an entry.
    void focusFramesGrowWithTheZoom_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("Grafici") << "Command2";
        QTest::newRow("N") << "Text13";
    }

    void focusFramesGrowWithTheZoom()
    {
        QFETCH(QString, control);
        Program p;
        QApplication::setActiveWindow(p.form1.get());
        QVERIFY(QTest::qWaitForWindowActive(p.form1.get()));
        QWidget* focused = p.control(qPrintable(control));
        focused->setFocus(Qt::TabFocusReason);
        QVERIFY(focused->hasFocus());
        // The focus colour's pixels from the left edge, across the middle of the control.
        const auto focusLineWidth = [focused] {
            const QImage picture = focused->grab().toImage();
            int width = 0;
            for (const int row = picture.height() / 2; width < picture.width(); ++width) {
                const QColor colour = picture.pixelColor(width, row);
                if (colour.blue() < colour.red() + 60)
                    break;
            }
            return width;
        };
        QCOMPARE(focusLineWidth(), 1);
        p.form1->zoom().setPercent(200);
        QCOMPARE(focusLineWidth(), 2);
        p.form1->zoom().setPercent(100);
        QCOMPARE(focusLineWidth(), 1);
    }

    void entriesNotReadWholeAreMarkedAtGrafici_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        QTest::newRow("comma") << "1,5"
                               << "Letto come 1: il separatore decimale è il punto (1.5)";
        QTest::newRow("letters") << "12abc"
                                 << "Letto come 12: le lettere dopo il numero sono ignorate "
                                    "(\"abc\")";
        QTest::newRow("exponent and letter") << "1e3x"
                                             << "Letto come 1000: le lettere dopo il numero "
                                                "sono ignorate (\"x\")";
        // A letter of an exponent with no digit after it is not part of the number.
        QTest::newRow("bare e") << "2e"
                                << "Letto come 2: le lettere dopo il numero sono ignorate (\"e\")";
        QTest::newRow("bare E after a fraction")
            << "3.5E"
            << "Letto come 3.5: le lettere dopo il numero sono ignorate (\"E\")";
        QTest::newRow("bare d") << "4d"
                                << "Letto come 4: le lettere dopo il numero sono ignorate (\"d\")";
        QTest::newRow("second number") << "1.5.3"
                                       << "Letto come 1.5: si legge un solo numero per "
                                          "casella, \".3\" è ignorato";
        QTest::newRow("point") << "1.5" << QString();
        QTest::newRow("blanks") << " 2 " << QString();
        QTest::newRow("empty") << ""
                               << "Letto come 0: casella vuota";
    }

    void entriesNotReadWholeAreMarkedAtGrafici()
    {
        QFETCH(QString, text);
        QFETCH(QString, hint);
        Program p;
        p.chooseSignal(0);
        p.type("Text5", text);
        auto* box = p.control<QLineEdit>("Text5");
        QVERIFY(box->toolTip().isEmpty());
        QVERIFY(p.grafici().texts.isEmpty());
        QCOMPARE(box->toolTip(), hint);
        QCOMPARE(box->palette().color(QPalette::Base) == entryPink, hint.isEmpty());
        QVERIFY(p.control<QLineEdit>("Text1")->toolTip().isEmpty());

        // Typing changes nothing until the next "Grafici".
        p.type("Text5", "4");
        QCOMPARE(box->toolTip(), hint);
        QVERIFY(p.grafici().texts.isEmpty());
        QVERIFY(box->toolTip().isEmpty());
        QCOMPARE(box->palette().color(QPalette::Base), entryPink);
    }

    // Qt's own texts, such as the entries' context menu, are Italian like the rest,
    // whatever the locale: this suite runs under LANG=C.
    void qtsOwnTextsAreItalianToo()
    {
        installQtItalianTexts(*QCoreApplication::instance());
        Program p;
        const std::unique_ptr<QMenu> menu(
            p.control<QLineEdit>("Text1")->createStandardContextMenu());
        QStringList items;
        for (const QAction* action : menu->actions())
            items << action->text();
        QVERIFY2(items.join(u'|').contains(QStringLiteral("Incolla")),
                 qPrintable(items.join(u'|')));

        // So are the plots' save dialogs, Qt's own rather than the desktop's.
        QStandardPaths::setTestModeEnabled(true);
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        QStringList buttons;
        QTimer poll;
        poll.setInterval(5);
        connect(&poll, &QTimer::timeout, [&buttons] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            for (const QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
                buttons << button->text();
            dialog->reject();
        });
        poll.start();
        for (QAction* action : p.waveform()->plot().findChild<QMenu*>()->actions())
            if (action->text() == QStringLiteral("Salva dati…"))
                action->trigger();
        poll.stop();
        QCOMPARE(buttons, (QStringList{QStringLiteral("&Salva"), QStringLiteral("Annulla")}));
    }
};

QTEST_MAIN(ClassroomTest)
#include "classroom_test.moc"

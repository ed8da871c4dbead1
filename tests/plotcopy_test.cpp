// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/messages.h"
#include "core/runtables.h"
#include "plot/plotdrawing.h"
#include "recordingsurface.h"
#include "tests/windowsupport.h"
#include "ui/messagebox.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstddef>
#include <functional>

namespace {

const QString copyImage = QStringLiteral("Copia immagine");
const QString copyData = QStringLiteral("Copia dati");
const QString saveImage = QStringLiteral("Salva immagine…");
const QString saveData = QStringLiteral("Salva dati…");

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

// The enabled state of the two copy and the two save items, in the order they are
// listed; the zoom's items follow them.
QList<bool> itemsEnabled(PlotWidget& plot)
{
    QMenu* menu = rightClick(plot);
    if (!menu)
        return {};
    QStringList texts;
    QList<bool> enabled;
    for (QAction* action : menu->actions().mid(0, 4)) {
        texts << action->text();
        enabled << action->isEnabled();
    }
    menu->close();
    if (texts != QStringList{copyImage, copyData, saveImage, saveData})
        return {};
    return enabled;
}

// What the save dialog showed when it opened.
struct SaveDialogSeen {
    QString title;
    QString directory;
    QString proposedName;
};

// Chooses the save item `text` from the plot's menu and, in the dialog it opens, the
// file `path`, as the user does; every message box is answered with OK.
SaveDialogSeen saveThroughDialog(PlotWidget& plot, const QString& text, const QString& path,
                                 MessagesSeen* messages = nullptr,
                                 const std::function<void()>& onceChosen = {})
{
    SaveDialogSeen seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !seen.title.isEmpty())
            return;
        seen.title = dialog->windowTitle();
        seen.directory = dialog->directory().absolutePath();
        seen.proposedName = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        dialog->selectFile(path);
        if (onceChosen)
            onceChosen();
        // As the dialog's "Salva" button does.
        static_cast<QDialog*>(dialog)->accept();
    });
    poll.start();
    const MessagesSeen boxes = acceptMessages([&] { choose(plot, text); });
    poll.stop();
    if (messages)
        *messages = boxes;
    return seen;
}

// Where the save dialogs open: the documents folder, or the home folder on a system
// that has none.
QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? QDir(documents).absolutePath() : QDir::homePath();
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

// A cell read with the decimal comma, as a spreadsheet in Italian reads it.
double number(const QString& cell)
{
    bool ok = false;
    const double value = QLocale(QLocale::Italian, QLocale::Italy).toDouble(cell, &ok);
    return ok && !cell.contains(QLatin1Char('.')) ? value : std::nan("");
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
    // The file dialogs keep their history in Qt's settings: the tests' own, not the
    // user's.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

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
    // exactly, with the decimal comma of the Italian locale.
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

    // Lines 0..500 of the default run, the stop band 49..51 Hz (lines 98..102) marked;
    // line 0 is the D.C. value that the window shows.
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
        QCOMPARE(rows[0], (QStringList{"k", "f [Hz]", "S(f) (k = 0: D.C. = S(0)/2)",
                                       "azzerata dal filtro"}));
        QCOMPARE(p.spectrum()->findChild<QLabel*>("Label1")->text(), QStringLiteral("2,50E+01"));
        for (int k = 0; k <= 500; ++k) {
            const QStringList& row = rows[k + 1];
            QCOMPARE(row.size(), 4);
            QCOMPARE(row[0], QString::number(k));
            QCOMPARE(number(row[1]), k / 2.0);
            QCOMPARE(number(row[2]),
                     k == 0 ? p.module.dcComponent() : a.spectrumMag[static_cast<std::size_t>(k)]);
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
        const QList<bool> disabled{false, false, false, false};
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
        QCOMPARE(itemsEnabled(plotOf(p.waveform())), (QList<bool>{true, true, true, true}));
        QCOMPARE(itemsEnabled(plotOf(p.spectrum())), (QList<bool>{true, true, true, true}));

        p.spectrum()->close();
        p.waveform()->findChild<QAbstractButton*>("Command1")->click();
        QVERIFY(p.spectrum() && p.spectrum()->isVisible());
        QCOMPARE(itemsEnabled(plotOf(p.spectrum())), disabled);
        QCOMPARE(itemsEnabled(plotOf(p.waveform())), (QList<bool>{true, true, true, true}));

        QVERIFY(p.grafici().texts.isEmpty());
        QCOMPARE(itemsEnabled(plotOf(p.spectrum())), (QList<bool>{true, true, true, true}));
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

    void theImageIsSavedAsShownOrAsVectors_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("Forme d'onda reali, PNG") << "Form2"
                                                 << "png";
        QTest::newRow("Forme d'onda reali, SVG") << "Form2"
                                                 << "svg";
        QTest::newRow("Forme d'onda reali, PDF") << "Form2"
                                                 << "pdf";
        QTest::newRow("Spettro, SVG") << "Form3"
                                      << "svg";
    }

    // PNG is the picture on the screen; SVG and PDF are the run drawn again, one vector
    // line for every segment that shows on the screen and no picture inside.
    void theImageIsSavedAsShownOrAsVectors()
    {
        QFETCH(QString, window);
        QFETCH(QString, suffix);
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        p.waveform()->findChild<QAbstractButton*>("Command1")->click();
        QWidget* shown = window == "Form2" ? static_cast<QWidget*>(p.waveform()) : p.spectrum();
        PlotWidget& plot = plotOf(shown);
        QTemporaryDir folder;
        const QString path = folder.filePath("grafico." + suffix);

        const SaveDialogSeen seen = saveThroughDialog(plot, saveImage, path);
        QCOMPARE(seen.title, QStringLiteral("Salva immagine"));
        QCOMPARE(seen.directory, documentsFolder());
        QCOMPARE(seen.proposedName, window == "Form2" ? QStringLiteral("forme-d-onda-N1000-W2.png")
                                                      : QStringLiteral("spettro-N1000-W2.png"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"grafico." + suffix});
        const QByteArray file = contentsOf(path);
        const QSize size = plot.image().deviceIndependentSize().toSize();

        if (suffix == "png") {
            QImage saved;
            QVERIFY(saved.loadFromData(file, "PNG"));
            QCOMPARE(saved.convertToFormat(plot.image().format()), plot.image());
            return;
        }
        // The segments the screen shows: those of the run whose start lies on the plot
        // (the spectrum lines beyond the right edge are clipped away).
        RecordingSurface recorded;
        drawRunPlot(*p.module.completedRun(),
                    window == "Form2" ? RunPlot::waveform : RunPlot::spectrum, recorded);
        qsizetype onScreen = 0;
        for (const SurfaceCall& line : recorded.lines())
            onScreen += line.x1 >= 0 && line.x1 <= 100 ? 1 : 0;
        QCOMPARE(onScreen, window == "Form2" ? 25 + 2000 + 2 : 142);

        QVERIFY(!file.contains("<image") && !file.contains("/Subtype /Image"));
        if (suffix == "pdf") {
            QVERIFY(file.startsWith("%PDF-"));
            QVERIFY2(file.contains(QStringLiteral("/MediaBox [0 0 %1.000000 %2.000000]")
                                       .arg(size.width())
                                       .arg(size.height())
                                       .toLatin1()),
                     "a page as large as the plot, in points");
            // The page's drawing, deflated: one stroked path, a move and a line, per
            // segment.
            const qsizetype start = file.indexOf("stream\n") + 7;
            const qsizetype end = file.indexOf("endstream", start);
            QByteArray deflated(4, '\0');
            deflated[1] = '\x40';  // room for 4 MiB, told to qUncompress
            deflated += file.mid(start, end - start);
            const QByteArray page = qUncompress(deflated);
            QCOMPARE(page.count(" l\nS\n"), onScreen);
            return;
        }
        // A segment of no length, as the spectrum lines of the removed and the absent
        // components are, is drawn as a dot of one unit square; the background is the
        // one other rectangle.
        const QString svg = QString::fromUtf8(file);
        const qsizetype vectorLines = svg.count(QRegularExpression("<(polyline|line|path)\\b"));
        const qsizetype dots = svg.count(QRegularExpression("<rect [^>]*width=\"1\" height=\"1\""));
        QCOMPARE(vectorLines + dots, onScreen);
        QCOMPARE(svg.count(QStringLiteral("<rect ")), dots + 1);
        QVERIFY(file.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"")
                                  .arg(size.width())
                                  .arg(size.height())
                                  .toLatin1()));
        QVERIFY(file.contains("stroke=\"#ff0000\""));
    }

    void theDataAreSavedForTheLocalesSpreadsheet_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("fieldSeparator");
        QTest::addColumn<QString>("decimalSeparator");
        QTest::newRow("it_IT") << QLocale(QLocale::Italian, QLocale::Italy) << ";"
                               << ",";
        QTest::newRow("C") << QLocale::c() << ","
                           << ".";
    }

    // A .csv file of the table of "Copia dati", in UTF-8 with the header first, and
    // separated as the spreadsheet of the locale opens it with a double-click.
    void theDataAreSavedForTheLocalesSpreadsheet()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, fieldSeparator);
        QFETCH(QString, decimalSeparator);
        QLocale::setDefault(locale);
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        p.waveform()->findChild<QAbstractButton*>("Command1")->click();
        QTemporaryDir folder;
        for (QWidget* window :
             {static_cast<QWidget*>(p.waveform()), static_cast<QWidget*>(p.spectrum())}) {
            const QString path = folder.filePath(window->objectName() + ".csv");
            const SaveDialogSeen seen = saveThroughDialog(plotOf(window), saveData, path);
            QCOMPARE(seen.title, QStringLiteral("Salva dati"));
            QCOMPARE(seen.directory, documentsFolder());
            const QString text = QString::fromUtf8(contentsOf(path));
            const QStringList lines = text.split(QLatin1Char('\n'));
            if (window == p.waveform()) {
                QCOMPARE(seen.proposedName, QStringLiteral("forme-d-onda-N1000-W2.csv"));
                QCOMPARE(lines.size(), 1003);  // ended by a line feed
                QCOMPARE(lines[0],
                         QStringList({"n", "t [s]", "V(t)", "Vr(t)"}).join(fieldSeparator));
                const QString quote = decimalSeparator == "," ? "\"" : "";
                QVERIFY2(lines[2].startsWith("1" + fieldSeparator + quote + "0" + decimalSeparator +
                                             "002" + quote + fieldSeparator),
                         qPrintable(lines[2]));
            } else {
                QCOMPARE(seen.proposedName, QStringLiteral("spettro-N1000-W2.csv"));
                QCOMPARE(lines[0], QStringList({"k", "f [Hz]", "S(f) (k = 0: D.C. = S(0)/2)",
                                                "azzerata dal filtro"})
                                       .join(fieldSeparator));
                QVERIFY(lines[99].endsWith(fieldSeparator + QStringLiteral("sì")));
            }
        }
        // Exactly the tables that core writes for a .csv file of this locale.
        const std::string separator = decimalSeparator.toStdString();
        QCOMPARE(contentsOf(folder.filePath("Form2.csv")).toStdString(),
                 waveformTable(*p.module.completedRun(), csvFormat(separator)));
        QCOMPARE(contentsOf(folder.filePath("Form3.csv")).toStdString(),
                 spectrumTable(*p.module.completedRun(), csvFormat(separator)));
    }

    void aFailedSaveLeavesNoFile_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folderKind");
        // A format no writer knows: the file is begun, then abandoned.
        QTest::newRow("unknown image format") << saveImage << "grafico.xyz" << "";
        // A folder that goes once chosen (a memory stick pulled out) fails for every
        // user, root too: the file cannot even be begun.
        QTest::newRow("missing folder, image") << saveImage << "grafico.png" << "missing";
        QTest::newRow("missing folder, data") << saveData << "dati.csv" << "missing";
        QTest::newRow("read-only folder, image") << saveImage << "grafico.png" << "read-only";
        QTest::newRow("read-only folder, data") << saveData << "dati.csv" << "read-only";
    }

    // An Italian message names the file, and no file of that name, whole or partial,
    // nor a temporary one beside it, is left.
    void aFailedSaveLeavesNoFile()
    {
        QFETCH(QString, item);
        QFETCH(QString, name);
        QFETCH(QString, folderKind);
        QTemporaryDir temporary;
        const QString folder = temporary.path();
        if (folderKind == "read-only") {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            if (QFileInfo(folder).isWritable())
                QSKIP("the test runs as root, who writes in a read-only folder too");
        }
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden);
        QString path = QDir(folder).filePath(name);
        std::function<void()> pullOut;
        if (folderKind == "missing") {
            QDir stick(QDir(folder).filePath(QStringLiteral("chiavetta")));
            QVERIFY(stick.mkpath(QStringLiteral(".")));
            path = stick.filePath(name);
            pullOut = [stick]() mutable { QVERIFY(stick.removeRecursively()); };
        }

        MessagesSeen messages;
        saveThroughDialog(plotOf(p.waveform()), item, path, &messages, pullOut);
        QCOMPARE(
            messages.texts,
            QStringList{QString::fromUtf8(messages::fileNotSaved.data(),
                                          static_cast<qsizetype>(messages::fileNotSaved.size())) +
                        QDir::toNativeSeparators(path)});
        QCOMPARE(messages.titles, QStringList{applicationTitle});
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden), before);
    }

private:
    QLocale m_locale;
};

QTEST_MAIN(PlotCopyTest)
#include "plotcopy_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/messages.h"
#include "tests/windowsupport.h"

#include <QAccessible>
#include <QFontInfo>
#include <QLabel>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTest>

namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The named control that holds `widget` (an editable drop-down's text field belongs
// to the drop-down).
QString controlName(QWidget* widget)
{
    while (widget && widget->objectName().isEmpty())
        widget = widget->parentWidget();
    return widget ? widget->objectName() : QString();
}

// The caption as the label draws it: wrapped at word boundaries within its width.
QRect wrappedCaption(const QLabel* label)
{
    return label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap,
                                             label->text());
}

// What a screen reader finds in a window: the role, name and value of every
// accessible object in it, one line each.
QStringList readAloud(QAccessibleInterface* node)
{
    QStringList lines;
    if (!node)
        return lines;
    lines << QStringLiteral("%1|%2|%3")
                 .arg(node->role())
                 .arg(node->text(QAccessible::Name), node->text(QAccessible::Value));
    for (int i = 0; i < node->childCount(); ++i)
        lines << readAloud(node->child(i));
    return lines;
}

// Clicks "Grafici" and reads aloud the first modal window it opens, as soon as it shows;
// a message box is then answered with OK, a progress dialog left to finish.
QStringList readTheModalWindowOfGrafici(const Program& p)
{
    QStringList heard;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&heard] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!heard.isEmpty() || !modal || !modal->isVisible())
            return;
        heard = readAloud(QAccessible::queryAccessibleInterface(modal));
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->buttons().front()->click();
    });
    poll.start();
    p.control<QAbstractButton>("Command2")->click();
    // A long run goes on behind its dialog after the click has returned, and may end
    // before the next poll: the dialog is read while it is sure to be there.
    if (QWidget* modal = QApplication::activeModalWidget(); heard.isEmpty() && modal)
        heard = readAloud(QAccessible::queryAccessibleInterface(modal));
    while (p.form1->runExecutor().running())
        QTest::qWait(5);
    return heard;
}

}  // namespace

class ParameterWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheDefaultsAndComputesNothing()
    {
        Program p;
        const QStringList boxes = {"Text13", "Text1", "Text2",  "Text6", "Text4", "Text3",
                                   "Text8",  "Text9", "Text10", "Text5", "Text7"};
        const QStringList texts = {"1000", "2",  "49",  "51", "0.5", "1",
                                   "25",   "25", "0.7", "4",  "50"};
        for (int i = 0; i < boxes.size(); ++i)
            QCOMPARE(p.control<QLineEdit>(qPrintable(boxes[i]))->text(), texts[i]);
        auto* signal = p.control<QComboBox>("Combo1");
        QCOMPARE(signal->currentText(),
                 QStringLiteral("Scegli il segnale: sinusoidale o impulsi rettangolari"));
        QCOMPARE(signal->count(), 2);
        QCOMPARE(signal->itemText(0), QString::fromUtf8(sineItem));
        QCOMPARE(signal->itemText(1), QString::fromUtf8(pulseItem));
        QVERIFY(p.control<QRadioButton>("Option1")->isChecked());
        QVERIFY(!p.control<QRadioButton>("Option2")->isChecked());
        QCOMPARE(p.form1->windowTitle(), QStringLiteral("Filtro elimina banda con la DFT"));
        QCOMPARE(p.control<QLabel>("Label14")->text(), QStringLiteral("f disturbo  sinusoidale"));
        QVERIFY(p.control<QLabel>("Label7")->text().contains(QStringLiteral("Elimnazione")));
        QVERIFY(!p.form1->windowIcon().isNull());
        QVERIFY(p.waveform() == nullptr);
        QVERIFY(p.spectrum() == nullptr);
        QVERIFY(p.module.arrays().inputSignal.empty());
    }

    void tabMovesThroughTheEntriesInTheirOrder()
    {
        Program p;
        QVERIFY(QTest::qWaitForWindowActive(p.form1.get()));
        QCOMPARE(controlName(QApplication::focusWidget()), QStringLiteral("Command2"));
        const QStringList order = {"Text13", "Text1", "Text2",  "Option1", "Text3",
                                   "Text4",  "Text6", "Text7",  "Combo1",  "Text5",
                                   "Text8",  "Text9", "Text10", "Command2"};
        for (const QString& expected : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(controlName(QApplication::focusWidget()), expected);
        }
    }

    // "Grafici" has the focus from the start, and shows it before any key has moved it.
    void theFocusShowsFromTheStart()
    {
        Program p;
        QVERIFY(QTest::qWaitForWindowActive(p.form1.get()));
        auto* grafici = p.control("Command2");
        QVERIFY(grafici->hasFocus());
        const QImage focused = grafici->grab().toImage();
        grafici->clearFocus();
        QVERIFY(grafici->grab().toImage() != focused);
    }

    void enterDoesNotPressGrafici()
    {
        Program p;
        QVERIFY(QTest::qWaitForWindowActive(p.form1.get()));
        const MessagesSeen seen = acceptMessages([&] {
            QTest::keyClick(p.control("Command2"), Qt::Key_Return);
            QTest::keyClick(p.control("Command2"), Qt::Key_Enter);
            p.control("Text13")->setFocus();
            QTest::keyClick(p.control("Text13"), Qt::Key_Return);
            QTest::keyClick(p.control<QComboBox>("Combo1")->lineEdit(), Qt::Key_Return);
        });
        QVERIFY(seen.texts.isEmpty());
        // Enter in the drop-down adds nothing to its list.
        QCOMPARE(p.control<QComboBox>("Combo1")->count(), 2);
        // Space on the focused button presses it.
        p.control("Command2")->setFocus();
        const MessagesSeen pressed =
            acceptMessages([&] { QTest::keyClick(p.control("Command2"), Qt::Key_Space); });
        QCOMPARE(pressed.texts.size(), 1);
    }

    void firstGraficiAsksForTheSignalType()
    {
        Program p;
        const MessagesSeen seen = p.grafici();
        QCOMPARE(seen.texts, QStringList{fromView(messages::signalTypeMissing)});
        QCOMPARE(seen.titles, QStringList{QStringLiteral("Filtro elimina banda con la DFT")});
        QVERIFY(seen.onlyOk);
        QCOMPARE(QString::fromStdString(p.module.messageText()),
                 fromView(messages::signalTypeMissing));
        QVERIFY(p.waveform() == nullptr);
        QVERIFY(p.spectrum() == nullptr);
    }

    void everyControlHasAnAccessibleName_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("description");
        const int entry = QAccessible::EditableText;
        QTest::newRow("N") << "Text13"
                           << "N" << entry << "Numero campioni";
        QTest::newRow("W") << "Text1"
                           << "W, secondi" << entry << QString();
        QTest::newRow("fi") << "Text2"
                            << "fi, hertz" << entry << QString();
        QTest::newRow("fs") << "Text6"
                            << "fs, hertz" << entry << QString();
        QTest::newRow("r") << "Text4"
                           << "r" << entry << QString();
        QTest::newRow("f segnale") << "Text3"
                                   << "f segnale, hertz" << entry << QString();
        QTest::newRow("f disturbo") << "Text7"
                                    << "f disturbo sinusoidale, hertz" << entry << QString();
        QTest::newRow("signal peak") << "Text8"
                                     << "Ampiezza di picco segnale, volt" << entry << QString();
        QTest::newRow("signal DC") << "Text9"
                                   << "Comp. cont. segnale" << entry << QString();
        QTest::newRow("ke") << "Text10"
                            << "Espansione asse frequenze" << entry << QString();
        QTest::newRow("noise peak") << "Text5"
                                    << "Ampiezza di picco disturbo, volt" << entry << QString();
        QTest::newRow("Filtro ON") << "Option1"
                                   << "Filtro ON" << int(QAccessible::RadioButton) << QString();
        QTest::newRow("Filtro OFF") << "Option2"
                                    << "Filtro OFF" << int(QAccessible::RadioButton) << QString();
        QTest::newRow("Grafici") << "Command2"
                                 << "Grafici" << int(QAccessible::Button) << QString();
    }

    void everyControlHasAnAccessibleName()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(int, role);
        QFETCH(QString, description);
        Program p;
        QAccessibleInterface* read =
            QAccessible::queryAccessibleInterface(p.control(qPrintable(control)));
        QCOMPARE(read->text(QAccessible::Name), name);
        QCOMPARE(int(read->role()), role);
        QCOMPARE(read->text(QAccessible::Description), description);
        if (role == QAccessible::EditableText) {
            // Orca says a control's label in place of its name: an entry's would drop
            // the unit.
            QVERIFY(read->relations(QAccessible::Label).isEmpty());
            // Orca speaks a line run by run of its text attributes: the entry's value
            // is one run, from the first character to past the last.
            QAccessibleTextInterface* text = read->textInterface();
            QVERIFY(text && text->characterCount() > 0);
            int start = -1;
            int end = -1;
            text->attributes(text->characterCount() - 1, &start, &end);
            QCOMPARE(start, 0);
            QCOMPARE(end, text->characterCount());
            QCOMPARE(text->text(start, end), read->text(QAccessible::Value));
        }
    }

    void theDropDownIsLabelledByItsCaption()
    {
        Program p;
        // On Linux a drop-down's name is the text in its field; a screen reader takes its
        // caption from its label. With it every control that takes the focus is named.
        const auto labels = QAccessible::queryAccessibleInterface(p.control("Combo1"))
                                ->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.front().first->text(QAccessible::Name),
                 QStringLiteral("Casella per la scelta del segnale:"));
        int focusable = 0;
        for (QWidget* widget : p.form1->findChildren<QWidget*>())
            focusable += !widget->objectName().isEmpty() && widget->focusPolicy() != Qt::NoFocus;
        QCOMPARE(focusable, 14 + 1);
    }

    void messagesAndTheProgressDialogAreReadAloud()
    {
        Program p;
        const QStringList message = readTheModalWindowOfGrafici(p);
        QVERIFY(!message.isEmpty());
        QVERIFY2(message.front().startsWith(QStringLiteral("%1|%2|")
                                                .arg(QAccessible::AlertMessage)
                                                .arg(p.form1->windowTitle())),
                 qPrintable(message.join('\n')));
        QVERIFY(message.contains(QStringLiteral("%1|%2|")
                                     .arg(QAccessible::StaticText)
                                     .arg(fromView(messages::signalTypeMissing))));

        p.form1->runExecutor().setDialogThreshold(0);
        p.chooseSignal(0);
        const QStringList progress = readTheModalWindowOfGrafici(p);
        QVERIFY(!progress.isEmpty());
        QVERIFY(progress.front().startsWith(QStringLiteral("%1|").arg(QAccessible::Dialog)));
        const QString label = progress.filter(QStringLiteral("Tempo rimanente: ")).value(0);
        QVERIFY2(label.startsWith(
                     QStringLiteral("%1|Calcolo dello spettro").arg(QAccessible::StaticText)),
                 qPrintable(progress.join('\n')));
        QCOMPARE(progress.filter(QStringLiteral("%1|").arg(QAccessible::ProgressBar)).size(), 1);
        QVERIFY(progress.contains(QStringLiteral("%1|Annulla|").arg(QAccessible::Button)));
        QVERIFY(p.waveform());
    }

    void theDropDownTextChoosesTheSignal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("typed sine") << QString::fromUtf8(sineItem) << true;
        QTest::newRow("typed pulses") << QString::fromUtf8(pulseItem) << true;
        QTest::newRow("other case") << QStringLiteral("segnale sinusoidale") << false;
        QTest::newRow("trailing blank") << QStringLiteral("Segnale sinusoidale ") << false;
        QTest::newRow("empty") << QString() << false;
    }

    void theDropDownTextChoosesTheSignal()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        Program p;
        p.control<QComboBox>("Combo1")->setEditText(text);
        const MessagesSeen seen = p.grafici();
        QCOMPARE(seen.texts.isEmpty(), accepted);
        QCOMPARE(p.waveform() != nullptr, accepted);
    }

    void choosingTheSineRunsAndShowsTheWaveforms()
    {
        Program p;
        p.chooseSignal(0);
        QCOMPARE(p.control<QComboBox>("Combo1")->currentText(), QString::fromUtf8(sineItem));
        QVERIFY(p.grafici().texts.isEmpty());
        Form2* waveform = p.waveform();
        Form3* spectrum = p.spectrum();
        QVERIFY(waveform && waveform->isVisible());
        QVERIFY(spectrum && !spectrum->isVisible());
        QCOMPARE(spectrum->findChild<QLabel*>("Label1")->text(), QStringLiteral("2.50E+01"));
        QCOMPARE(p.module.arrays().inputSignal.size(), std::size_t{1001});
    }

    void theFilterSwitchIsReadAtTheNextRun()
    {
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        const double filteredLine = p.module.arrays().spectrumMag[100];
        QCOMPARE(filteredLine, 0.0);
        p.control<QRadioButton>("Option2")->click();
        QVERIFY(!p.control<QRadioButton>("Option1")->isChecked());
        QCOMPARE(p.module.arrays().spectrumMag[100], 0.0);  // nothing until "Grafici"
        QVERIFY(p.grafici().texts.isEmpty());
        QVERIFY(p.module.arrays().spectrumMag[100] > 3.9);
    }

    void everyCaptionFitsItsBox()
    {
        Program p;
        p.chooseSignal(0);
        QVERIFY(p.grafici().texts.isEmpty());
        p.form1->findChild<QComboBox*>("Combo1")->setCurrentIndex(-1);
        const QStringList twoLines = {"Label9", "Label14", "Label15", "Label18", "Label19"};
        const QList<QWidget*> windows = {p.form1.get(), p.waveform(), p.spectrum()};
        const QStringList families = {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans",
                                      "Arial"};
        int labels = 0;
        for (QWidget* window : windows) {
            for (QLabel* label : window->findChildren<QLabel*>()) {
                if (label->text().isEmpty() || label->objectName().isEmpty())
                    continue;
                ++labels;
                const QString where = window->objectName() + "." + label->objectName();
                QVERIFY2(families.contains(QFontInfo(label->font()).family()), qPrintable(where));
                // Lines follow each other a step apart; the last needs only the height
                // of its glyphs, not the gap that would follow it.
                const QRect caption = wrappedCaption(label);
                const QFontMetrics metrics = label->fontMetrics();
                const int step = metrics.boundingRect(QRect(0, 0, 1000, 1000), 0, "N").height();
                const int lines = caption.height() / step;
                QVERIFY2(caption.width() <= label->width() &&
                             (lines - 1) * step + metrics.height() <= label->height(),
                         qPrintable(where));
                const int expected =
                    window == p.form1.get() && twoLines.contains(label->objectName()) ? 2 : 1;
                QVERIFY2(lines == expected, qPrintable(where));
            }
            for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
                if (auto* option = qobject_cast<QRadioButton*>(button)) {
                    QVERIFY2(option->sizeHint().width() <= option->width(),
                             qPrintable(option->objectName()));
                    continue;
                }
                const QRect caption = button->fontMetrics().boundingRect(
                    button->rect().adjusted(4, 4, -4, -4), Qt::TextWordWrap, button->text());
                QVERIFY2(caption.width() <= button->width() - 8 &&
                             caption.height() <= button->height() - 8,
                         qPrintable(button->objectName()));
            }
        }
        QCOMPARE(labels, 23 + 1 + 4);
        auto* signal = p.control<QComboBox>("Combo1");
        QVERIFY(QFontMetrics(signal->font())
                    .horizontalAdvance(
                        QStringLiteral("Scegli il segnale: sinusoidale o impulsi rettangolari")) <=
                signal->lineEdit()->width());
    }
};

QTEST_MAIN(ParameterWindowTest)
#include "parameterwindow_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/messages.h"
#include "tests/windowsupport.h"

#include <QFontInfo>
#include <QLabel>
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

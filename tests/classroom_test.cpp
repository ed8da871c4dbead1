// The windows in a classroom: the hints on entries that a run does not read whole.
#include "tests/windowsupport.h"

#include <QTest>

namespace {

const QColor entryPink(255, 192, 192);

}  // namespace

class ClassroomTest : public QObject {
    Q_OBJECT

private slots:
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
        QTest::newRow("second number") << "1.5.3"
                                       << "Letto come 1.5: si legge un solo numero per "
                                          "casella, \".3\" è ignorato";
        QTest::newRow("point") << "1.5" << QString();
        QTest::newRow("blanks") << " 2 " << QString();
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
};

QTEST_MAIN(ClassroomTest)
#include "classroom_test.moc"

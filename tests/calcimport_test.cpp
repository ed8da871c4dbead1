// SPDX-License-Identifier: GPL-3.0-or-later
// The tables of "Copia dati" and "Salva dati" read by the spreadsheet students paste
// them into: LibreOffice Calc, run headless, imports each table with the options its
// import dialog starts with for a locale and writes what it read as a workbook, which
// the test reads back cell by cell. Every number must arrive as a number
// with the program's value (to the 15 significant digits Calc keeps), and the header
// as text.
#include "core/computationmodule.h"
#include "core/runrequest.h"
#include "core/runtables.h"
#include "core/samplecount.h"
#include "tests/support/runthrough.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

#include <cmath>
#include <cstddef>
#include <variant>

namespace {

// A cell as Calc holds it: a number, or a text.
using Cell = std::variant<double, QString>;
using Sheet = QList<QList<Cell>>;

// A part of an Office Open XML workbook, as `unzip` gives it.
QByteArray workbookPart(const QString& workbook, const QString& part)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {"-p", workbook, part});
    if (!unzip.waitForFinished(60'000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

// The cells of the first sheet of a workbook that Calc wrote, in order, rows without a
// value left out. Calc keeps 15 significant digits and writes them all to .xlsx (its
// OpenDocument files give at most 20 decimals, too few for the smallest values).
Sheet readSheet(const QString& workbook)
{
    QStringList shared;
    QXmlStreamReader strings(workbookPart(workbook, "xl/sharedStrings.xml"));
    while (strings.readNextStartElement() || !strings.atEnd()) {
        if (strings.isStartElement() && strings.name() == QLatin1String("si"))
            shared << strings.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (!strings.isStartElement())
            strings.readNext();
    }

    QXmlStreamReader xml(workbookPart(workbook, "xl/worksheets/sheet1.xml"));
    Sheet sheet;
    QList<Cell> row;
    QString type;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("row")) {
            if (!row.isEmpty())
                sheet << row;
            row.clear();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("c")) {
            type = xml.attributes().value("t").toString();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("v")) {
            const QString value = xml.readElementText();
            if (type == QLatin1String("s"))
                row << shared.value(value.toInt());
            else if (type.isEmpty() || type == QLatin1String("n"))
                row << value.toDouble();
            else
                row << QStringLiteral("(a cell of type %1)").arg(type);
        }
    }
    return sheet;
}

QString describe(const Cell& cell)
{
    if (const double* number = std::get_if<double>(&cell))
        return QStringLiteral("the number %1").arg(*number, 0, 'g', 17);
    return QStringLiteral("the text \"%1\"").arg(std::get<QString>(cell));
}

// The run's tables as the program holds them.
Sheet waveformCells(const CompletedRun& run)
{
    Sheet sheet{{QStringLiteral("n"), QStringLiteral("t [s]"), QStringLiteral("V(t)"),
                 QStringLiteral("Vr(t)")}};
    const std::int32_t count = run.parameters.sampleCount;
    for (std::int32_t n = 0; n <= count; ++n) {
        const auto i = static_cast<std::size_t>(n);
        sheet << QList<Cell>{static_cast<double>(n),
                             static_cast<double>(n) * run.parameters.windowTime /
                                 static_cast<double>(count),
                             run.arrays.inputSignal[i], run.arrays.outputSignal[i]};
    }
    return sheet;
}

// The default run: lines 98..102 (49..51 Hz) removed by the filter.
Sheet spectrumCells(const CompletedRun& run)
{
    Sheet sheet{{QStringLiteral("k"), QStringLiteral("f [Hz]"),
                 QStringLiteral("S(f) (k = 0: D.C. = S(0)/2)"),
                 QStringLiteral("azzerata dal filtro")}};
    for (int k = 0; k <= highestLine(run.parameters.sampleCount); ++k) {
        const auto i = static_cast<std::size_t>(k);
        sheet << QList<Cell>{static_cast<double>(k), k / run.parameters.windowTime,
                             k == 0 ? dcValue(run.arrays) : run.arrays.spectrumMag[i],
                             QString::fromUtf8(k >= 98 && k <= 102 ? "sì" : "no")};
    }
    return sheet;
}

bool writeFile(const QString& path, const std::string& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size());
}

}  // namespace

class CalcImportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (m_soffice.isEmpty())
            QSKIP("LibreOffice Calc (soffice, Debian's libreoffice-calc-nogui, which "
                  "scripts/setup.sh test installs) is not installed");
        QVERIFY(m_folder.isValid());
        const RunOutcome outcome = runThrough(m_module, RunRequest{});
        QCOMPARE(outcome.kind, RunOutcome::Kind::completed);
    }

    void everyNumberArrivesAsANumber_data()
    {
        QTest::addColumn<QString>("decimalSeparator");
        QTest::addColumn<bool>("csv");
        QTest::addColumn<QString>("filterOptions");
        // Calc's filter options: the field separators (character codes, '/' between
        // them), the text delimiter ("), the character set (76, UTF-8), the first line,
        // no column formats, the language, "Quoted field as text" and "Detect special
        // numbers". Text pasted from the clipboard comes in with the options of the
        // dialog for pasted text: a tab, special numbers detected. A .csv file opens
        // with those of the dialog for files: a comma, a semicolon or a tab, special
        // numbers not detected.
        QTest::newRow("Copia dati, Italian (1040)") << "," << false << "9,34,76,1,,1040,false,true";
        QTest::newRow("Copia dati, English (1033)") << "." << false << "9,34,76,1,,1033,false,true";
        QTest::newRow("Salva dati, Italian (1040)")
            << "," << true << "44/59/9,34,76,1,,1040,false,false";
        QTest::newRow("Salva dati, English (1033)")
            << "." << true << "44/59/9,34,76,1,,1033,false,false";
    }

    void everyNumberArrivesAsANumber()
    {
        QFETCH(QString, decimalSeparator);
        QFETCH(bool, csv);
        QFETCH(QString, filterOptions);
        const CompletedRun& run = *m_module.completedRun();
        const std::string separator = decimalSeparator.toStdString();
        const TableFormat format = csv ? csvFormat(separator) : TableFormat{"\t", separator};
        const QString folder = m_folder.filePath(QString::number(m_rows++));
        QVERIFY(QDir().mkpath(folder));
        const QString suffix = csv ? QStringLiteral(".csv") : QStringLiteral(".txt");
        const QString waveform = QDir(folder).filePath("forme-d-onda" + suffix);
        const QString spectrum = QDir(folder).filePath("spettro" + suffix);
        QVERIFY(writeFile(waveform, waveformTable(run, format)));
        QVERIFY(writeFile(spectrum, spectrumTable(run, format)));

        QProcess calc;
        calc.setProcessChannelMode(QProcess::MergedChannels);
        calc.start(m_soffice,
                   {"-env:UserInstallation=" +
                        QUrl::fromLocalFile(m_folder.filePath("profilo")).toString(),
                    "--headless", "--infilter=Text - txt - csv (StarCalc):" + filterOptions,
                    "--convert-to", "xlsx", "--outdir", folder, waveform, spectrum});
        // Calc starts in seconds; a loaded machine may take much longer.
        QVERIFY2(calc.waitForFinished(300'000),
                 "waited five minutes for LibreOffice Calc to convert the two tables");
        const QString output = QString::fromLocal8Bit(calc.readAll());
        QVERIFY2(calc.exitStatus() == QProcess::NormalExit && calc.exitCode() == 0,
                 qPrintable(output));

        for (const auto& [path, expected] :
             {std::pair{waveform, waveformCells(run)}, std::pair{spectrum, spectrumCells(run)}}) {
            const QString converted = QDir(folder).filePath(QFileInfo(path).baseName() + ".xlsx");
            const Sheet sheet = readSheet(converted);
            QVERIFY2(sheet.size() == expected.size(),
                     qPrintable(QStringLiteral("%1: %2 rows read, %3 written")
                                    .arg(converted)
                                    .arg(sheet.size())
                                    .arg(expected.size())));
            for (qsizetype r = 0; r < expected.size(); ++r) {
                QVERIFY2(sheet[r].size() == expected[r].size(),
                         qPrintable(QStringLiteral("%1, row %2: %3 cells")
                                        .arg(path)
                                        .arg(r)
                                        .arg(sheet[r].size())));
                for (qsizetype c = 0; c < expected[r].size(); ++c) {
                    const Cell& read = sheet[r][c];
                    const Cell& written = expected[r][c];
                    const QString where = QStringLiteral("%1, row %2, column %3: %4 for %5")
                                              .arg(QFileInfo(path).fileName())
                                              .arg(r)
                                              .arg(c)
                                              .arg(describe(read), describe(written));
                    QVERIFY2(read.index() == written.index(), qPrintable(where));
                    if (const double* value = std::get_if<double>(&written)) {
                        // 15 significant digits: within half a unit of the 15th.
                        const double difference = std::abs(std::get<double>(read) - *value);
                        QVERIFY2(difference <= 5e-15 * std::abs(*value), qPrintable(where));
                    } else {
                        QVERIFY2(read == written, qPrintable(where));
                    }
                }
            }
        }
    }

private:
    QString m_soffice;
    QTemporaryDir m_folder;
    ComputationModule m_module;
    int m_rows = 0;
};

QTEST_GUILESS_MAIN(CalcImportTest)
#include "calcimport_test.moc"

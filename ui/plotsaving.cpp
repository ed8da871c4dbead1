// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plotsaving.h"

#include "core/numberformat.h"
#include "ui/messagebox.h"
#include "ui/paintedplotsurface.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace {

QString plotTitle(RunPlot which)
{
    return which == RunPlot::waveform ? QStringLiteral("Forme d'onda reali")
                                      : QStringLiteral("Spettro");
}

// Draws the run again on `device`, whose drawing area is `size` in its own units.
bool paintRun(QPaintDevice& device, QSizeF size, QColor background, const CompletedRun& run,
              RunPlot which)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PaintedPlotSurface surface(painter, size, background);
    drawRunPlot(run, which, surface);
    return painter.end();
}

bool writeImage(QSaveFile& file, const QImage& picture, QColor background, const CompletedRun& run,
                RunPlot which, const QString& suffix)
{
    const QSize size = picture.deviceIndependentSize().toSize();
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(plotTitle(which));
        svg.setDescription(applicationTitle);
        return paintRun(svg, size, background, run, which);
    }
    if (suffix == QLatin1String("pdf")) {
        // One point a pixel of the plot on the screen, a page just as large.
        QPdfWriter pdf(&file);
        pdf.setResolution(72);
        pdf.setPageSize(
            QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(plotTitle(which));
        pdf.setCreator(applicationTitle);
        return paintRun(pdf, size, background, run, which);
    }
    QImageWriter writer(&file, suffix.toLatin1());
    return writer.write(picture);
}

}  // namespace

bool savePlotImage(const QImage& picture, QColor background, const CompletedRun& run, RunPlot which,
                   const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!writeImage(file, picture, background, run, which, QFileInfo(path).suffix().toLower())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool savePlotData(const std::string& table, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(table.size());
    if (file.write(table.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString proposedFileName(RunPlot which, const CompletedRun& run, const QString& suffix)
{
    const RunParameters& p = run.parameters;
    return QStringLiteral("%1-N%2-W%3.%4")
        .arg(which == RunPlot::waveform ? QStringLiteral("forme-d-onda")
                                        : QStringLiteral("spettro"))
        .arg(p.sampleCount)
        .arg(QString::fromStdString(formatShortest(p.windowTime)))
        .arg(suffix);
}

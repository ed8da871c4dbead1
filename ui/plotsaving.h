// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/completedrun.h"
#include "plot/plotdrawing.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <string>

// Writing a plot of a completed run to a file, for a student's report. Each writes to
// a temporary file beside the target and renames it only once it is whole, so that a
// failure (a folder that cannot be written, a full disk) leaves no partial file and
// any earlier file of that name as it was. Each returns whether the file was written.

// The picture of `which` plot of `run`, shown on the screen as `picture` on
// `background`, in the format the name's ending names, in any case: ".svg" and ".pdf"
// draw the plot again as vector graphics, through the same drawing code as the screen,
// at the picture's size in logical pixels (in pixels for SVG, in points for PDF); any
// other ending Qt can write (".png" above all) is the picture itself, as "Copia
// immagine" copies it.
bool savePlotImage(const QImage& picture, QColor background, const CompletedRun& run, RunPlot which,
                   const QString& path);

// `table`, already written for the file, as UTF-8 text.
bool savePlotData(const std::string& table, const QString& path);

// The name proposed for a file of `which` plot of `run`, saying what it holds:
// "forme-d-onda-N1000-W2.png" or "spettro-N1000-W2.csv" for `suffix` "png" or "csv".
QString proposedFileName(RunPlot which, const CompletedRun& run, const QString& suffix);

// SPDX-License-Identifier: GPL-3.0-or-later
// run_bench: the benchmarks inside a Qt application, on the headless platform unless
// another is asked for, so that the windows can be measured too and everything else is
// measured in the process the windows leave behind.
#include "bench/benchprocess.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

void drawAsTheWindowsDo()
{
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.drawLine(0, 0, 63, 40);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return runBenchmarks(argc, argv);
}

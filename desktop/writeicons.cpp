// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/icons.h"
#include "ui/messagebox.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>
#include <cstring>

// Writes the program's icon into a folder laid out as a freedesktop icon theme:
// <size>x<size>/apps/<name>.png for 16, 32 and 48 pixels and scalable/apps/<name>.svg.
// Every file is drawn by the code that draws the windows' icon, so the menu, the
// task bar and the title bars all show the same alarm clock.
namespace {

bool writePng(const QDir& theme, const QString& name, int size)
{
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    drawAlarmClock(painter);
    painter.end();
    return theme.mkpath(folder) && image.save(theme.filePath(folder + '/' + name + ".png"));
}

bool writeSvg(const QDir& theme, const QString& name)
{
    const QString folder = QStringLiteral("scalable/apps");
    if (!theme.mkpath(folder)) {
        return false;
    }
    QSvgGenerator svg;
    svg.setFileName(theme.filePath(folder + '/' + name + ".svg"));
    svg.setTitle(applicationTitle);
    svg.setDescription(QStringLiteral("Sveglia rossa"));
    // 32 units drawn at 96 dots per inch: a 32-pixel picture where nothing asks for a size.
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setSize(QSize(32, 32));
    svg.setResolution(96);
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    drawAlarmClock(painter);
    return painter.end();
}

// The folder and the name come from the build's custom command, never from a user; an
// option, an empty word or a name with a folder in it is a mistake in that command, and
// is refused rather than taken for a folder to create or a place to write.
const char* callMistake(int argc, char* argv[])
{
    if (argc != 3) {
        return "expected two arguments";
    }
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '\0') {
            return "an argument is empty";
        }
        if (argv[i][0] == '-') {
            return "there are no options";
        }
    }
    if (std::strchr(argv[2], '/') != nullptr) {
        return "the icon name is a file name, without '/'";
    }
    return nullptr;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (const char* mistake = callMistake(argc, argv)) {
        std::fprintf(stderr,
                     "write-icons: %s\n"
                     "usage: write-icons THEME-FOLDER ICON-NAME\n"
                     "Draws THEME-FOLDER/<size>x<size>/apps/ICON-NAME.png for 16, 32 and 48 "
                     "pixels and THEME-FOLDER/scalable/apps/ICON-NAME.svg.\n",
                     mistake);
        return 2;
    }
    const QDir theme(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : {16, 32, 48}) {
        if (!writePng(theme, name, size)) {
            std::fprintf(stderr, "cannot write the %d-pixel icon into %s\n", size, argv[1]);
            return 1;
        }
    }
    if (!writeSvg(theme, name)) {
        std::fprintf(stderr, "cannot write the scalable icon into %s\n", argv[1]);
        return 1;
    }
    return 0;
}

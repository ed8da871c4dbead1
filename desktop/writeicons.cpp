#include "ui/icons.h"
#include "ui/messagebox.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

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

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s THEME-FOLDER ICON-NAME\n", argv[0]);
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/computationmodule.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLocale>
#include <QTemporaryFile>

#include <cstdio>
#include <cstring>

// Draws the pictures of the three windows that the README shows: the windows themselves,
// on Qt's offscreen platform, after the run a student makes first (the sine signal and
// every other entry as the program starts) and "Visualizza spettro", at 100 % and in an
// Italian locale. Each picture is the window's client area, without the frame that the
// window manager would draw. After a change of look, run it again:
//   write-pictures docs && optipng -o7 -strip all docs/*.png
namespace {

// A screen as large as a desktop's (the platform's own is 800 x 600, on which the
// windows would open at a smaller zoom to fit), at 96 dots per inch.
constexpr char screen[] = R"({"screens": [{"name": "offscreen", "x": 0, "y": 0,
    "width": 1920, "height": 1200, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1.0}]})";

bool save(QWidget& window, const QDir& folder, const char* name)
{
    // Quality 0 is the PNG writer's strongest compression.
    return window.grab().toImage().save(folder.filePath(QString::fromUtf8(name)), "PNG", 0);
}

// The folder comes from whoever runs the tool; an option or an empty word is a mistake
// in that command, and is refused rather than taken for a folder.
const char* callMistake(int argc, char* argv[])
{
    if (argc != 2)
        return "expected one argument";
    if (argv[1][0] == '\0')
        return "the argument is empty";
    if (argv[1][0] == '-')
        return "there are no options";
    return nullptr;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (const char* mistake = callMistake(argc, argv)) {
        std::fprintf(stderr,
                     "write-pictures: %s\n"
                     "usage: write-pictures FOLDER\n"
                     "Draws FOLDER/parameter-window.png, FOLDER/waveform-window.png and "
                     "FOLDER/spectrum-window.png after a default run.\n",
                     mistake);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    QTemporaryFile screenFile;
    if (!screenFile.open() || screenFile.write(screen, sizeof screen - 1) != sizeof screen - 1) {
        std::fprintf(stderr, "write-pictures: cannot write the offscreen screen's settings\n");
        return 1;
    }
    screenFile.close();
    const QByteArray platform = "offscreen:configfile=" + screenFile.fileName().toLocal8Bit();
    qputenv("QT_QPA_PLATFORM", platform);
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    ComputationModule module;
    Form1 parameters(module);
    parameters.show();
    parameters.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(0);
    parameters.findChild<QAbstractButton*>(QStringLiteral("Command2"))->click();
    parameters.waveformWindow().findChild<QAbstractButton*>(QStringLiteral("Command1"))->click();
    // The student goes back to the parameters, once the spectrum window has come
    // forward: no plot keeps the focus, and with it the focus rectangle, in the pictures.
    QApplication::processEvents();
    QApplication::setActiveWindow(&parameters);

    if (!folder.mkpath(QStringLiteral(".")) || !save(parameters, folder, "parameter-window.png") ||
        !save(parameters.waveformWindow(), folder, "waveform-window.png") ||
        !save(parameters.spectrumWindow(), folder, "spectrum-window.png")) {
        std::fprintf(stderr, "write-pictures: cannot write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

std::optional<int> answerCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Mostra questo aiuto ed esce."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Mostra la versione del programma ed esce."));
    parser.addOption(help);
    parser.addOption(version);
    // Qt's own options are not known here; they are Qt's to read, not errors.
    parser.parse(arguments);
    if (parser.isSet(help)) {
        print(stdout,
              QStringLiteral(
                  "Uso: filtro-dft [opzioni]\n"
                  "Filtro elimina banda con la DFT: un segnale di prova con un disturbo\n"
                  "sinusoidale, il suo spettro calcolato con la DFT e il segnale ricostruito\n"
                  "dopo il filtro elimina banda. I dati si inseriscono nella finestra dei\n"
                  "parametri; F1 apre la guida del programma.\n"
                  "\n"
                  "Opzioni:\n"
                  "  -h, --help     %1\n"
                  "  -v, --version  %2\n"
                  "\n"
                  "Accetta anche le opzioni generiche di Qt, per esempio -platform.\n")
                  .arg(help.description(), version.description()));
        return EXIT_SUCCESS;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("filtro-dft " FILTRO_DFT_VERSION "\n"));
        return EXIT_SUCCESS;
    }
    return std::nullopt;
}

namespace {

// What Qt says while the application object is being made: held back until it is
// known whether Qt found a display, so that a start without one prints one line.
struct HeldMessages {
    QtMessageHandler previous = nullptr;
    QStringList lines;
};
HeldMessages held;

// Qt says it cannot start its platform with a fatal message, after which it aborts:
// here it is said once, in Italian, and the program ends as a program that could not
// do its job ends.
void endWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        held.lines << qFormatLogMessage(type, context, message);
        return;
    }
    print(stderr, QStringLiteral("filtro-dft: nessuno schermo su cui aprire le finestre "
                                 "(né DISPLAY né WAYLAND_DISPLAY indicano uno schermo "
                                 "raggiungibile)\n"));
    std::_Exit(EXIT_FAILURE);
}

}  // namespace

NoDisplayExit::NoDisplayExit()
{
    held.previous = qInstallMessageHandler(endWithoutDisplay);
}

NoDisplayExit::~NoDisplayExit()
{
    qInstallMessageHandler(held.previous);
    for (const QString& line : std::exchange(held.lines, {}))
        print(stderr, line + QLatin1Char('\n'));
}

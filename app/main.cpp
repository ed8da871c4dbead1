// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"
#include "core/computationmodule.h"
#include "ui/form1.h"
#include "ui/platformchoice.h"
#include "ui/qtitaliantexts.h"

#include <QApplication>

#include <optional>

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = answerCommandLine(argc, argv))
        return *status;
    preferX11InWaylandSession();
    std::optional<NoDisplayExit> withoutDisplay(std::in_place);
    QApplication application(argc, argv);
    withoutDisplay.reset();
    installQtItalianTexts(application);
    // The name of the installed desktop entry: a Wayland desktop matches the windows to
    // the entry by it, and so shows the entry's icon and name on the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("filtro-dft"));
    ComputationModule module;
    Form1 parameters(module);
    parameters.show();
    return application.exec();
}

#include "core/computationmodule.h"
#include "ui/form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    ComputationModule module;
    Form1 parameters(module);
    parameters.show();
    return application.exec();
}

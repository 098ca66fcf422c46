// fenwyx: the windowed program.
#include "mainwindow/ui/application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication(app);
    return runFenwyx(app);
}

// fenwyx: the windowed program.
#include "mainwindow/ui/application.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fenwyx"));
    QApplication::setOrganizationName(QStringLiteral("Fenwyx"));
    QApplication::setApplicationVersion(QStringLiteral(FENWYX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.fenwyx.Fenwyx"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/icons/fenwyx.png")));
    return runFenwyx(app);
}

// fenwyx: the windowed program.
#include "mainwindow/ui/application.h"
#include "platform/resourceimage.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fenwyx"));
    QApplication::setApplicationVersion(QStringLiteral(FENWYX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.fenwyx.Fenwyx"));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(resourceImage(QStringLiteral(":/app/icons/fenwyx.png")))));
    return runFenwyx(app);
}

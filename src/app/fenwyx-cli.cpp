// fenwyx-cli: batch interface.
#include "app/batchinterface.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Reports lay text out with the font database, hence a GUI application; the other commands start faster
    // without one, and a batch run never shows a window.
    std::unique_ptr<QCoreApplication> application;
    if (BatchInterface::readOptions(arguments).command.value(0) == QLatin1String("report")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication &app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("Fenwyx"));
    return BatchInterface::run(app.arguments().mid(1));
}

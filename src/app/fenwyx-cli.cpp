// fenwyx-cli: batch interface.
#include "app/batchinterface.h"

#include "print/reportcli.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Reports need the font database, hence a GUI application; a batch run never shows a window.
    std::unique_ptr<QCoreApplication> application;
    if (ReportCli::isReportCommand(arguments)) {
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

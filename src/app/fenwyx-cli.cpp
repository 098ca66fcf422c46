// SPDX-License-Identifier: GPL-3.0-or-later
// fenwyx-cli: batch interface.
#include "app/batchinterface.h"
#include "app/standardstreams.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

int main(int argc, char *argv[])
{
    std::FILE *errors = StandardStreams::prefixedErrors("fenwyx-cli: ");
    StandardStreams::sendQtMessagesTo(errors);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Reports lay text out with the font database, hence a GUI application; the other commands start faster
    // without one. A batch run never shows a window, so it needs no display whatever the desktop's platform.
    std::unique_ptr<QCoreApplication> application;
    const BatchInterface::Options options = BatchInterface::readOptions(arguments);
    if (options.command == QLatin1String("report") && !options.help) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication &app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("Fenwyx"));
    int status = BatchInterface::run(app.arguments().mid(1), stdout, errors, stderr);
    // Output lost on the way (a full disk, a closed pipe) makes a failure of a command that went well; a command
    // that failed has said why already.
    if (!StandardStreams::closeOutput(status == 0 ? errors : nullptr) && status == 0)
        status = 1;
    return status;
}

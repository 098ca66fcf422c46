// SPDX-License-Identifier: GPL-3.0-or-later
// fenwyx-photomgr: the photo manager, as a window or (with a command) for scripts.
#include "app/standardstreams.h"
#include "data/photoseries.h"
#include "data/photoseriescli.h"
#include "data/ui/frmphotomanager.h"
#include "platform/driveinfo.h"
#include "platform/filelock.h"
#include "platform/settingsstore.h"
#include "platform/ui/qtdialogs.h"
#include "shell/programfolder.h"
#include "shell/programinfo.h"

#include <QApplication>
#include <QTextStream>

namespace
{
// The manager never shows the photo-drive warning.
class ManagerDialogs : public QtDialogs
{
public:
    int askPhotoDrive(const QString &) override { return 3; }
};
} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const PhotoSeriesCli::Options options = PhotoSeriesCli::readOptions(arguments);
    if (PhotoSeriesCli::isBatch(options)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Fenwyx"));
        int status = 0;
        {
            QTextStream out(stdout);
            QTextStream err(stderr);
            status = PhotoSeriesCli::run(options, out, err);
        }
        // Output lost on the way (a full disk, a closed pipe) fails a command that went well.
        if (!StandardStreams::closeOutput(status == 0 ? StandardStreams::prefixedErrors("fenwyx-photomgr: ")
                                                      : nullptr) &&
            status == 0)
            status = 1;
        return status;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fenwyx"));
    QApplication::setApplicationVersion(ProgramInfo::version());
    QApplication::setDesktopFileName(QStringLiteral("org.fenwyx.Fenwyx"));
    ManagerDialogs dialogs;
    const QString programFolder = ProgramFolder::resolve(options.home);
    const FileLock lock(PhotoSeries::lockPath(programFolder), 0);
    if (!lock.isLocked()) {
        dialogs.message(
            QStringLiteral("Another photo manager is working on %1. Finish there first.").arg(programFolder),
            QStringLiteral("Fenwyx Photo Manager"), MessageButtons::Ok, MessageIcon::Critical);
        return 1;
    }
    IniSettingsStore settings;
    SystemDriveInfo drives;
    frmPhotoManager window(programFolder, dialogs, &settings, &drives);
    dialogs.setParentWindow(&window);
    window.show();
    return app.exec();
}

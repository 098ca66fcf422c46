// SPDX-License-Identifier: GPL-3.0-or-later
// The windowed program's run.
#include "application.h"

#include "mainwindow/programstate.h"
#include "mainwindow/ui/startup.h"
#include "platform/desktopservices.h"
#include "platform/driveinfo.h"
#include "platform/processrunner.h"
#include "platform/resourceimage.h"
#include "platform/settingsstore.h"
#include "platform/ui/guardeddialogs.h"
#include "platform/ui/qtprintservice.h"
#include "shell/programfolder.h"
#include "shell/programinfo.h"
#include "shell/ui/mdimain.h"
#include "shell/ui/programstyle.h"
#include "shell/ui/windowdialogs.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTimer>

void setUpApplication(QApplication &)
{
    QApplication::setApplicationName(ProgramInfo::title());
    QApplication::setApplicationVersion(ProgramInfo::version());
    QApplication::setDesktopFileName(QStringLiteral("org.fenwyx.Fenwyx"));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(resourceImage(QStringLiteral(":/app/icons/fenwyx.png")))));
}

int runFenwyx(QApplication &app)
{
    QApplication::setStyle(new ProgramStyle); // the application owns it
    WindowDialogs boxes;
    GuardedDialogs dialogs(boxes);
    IniSettingsStore settings;
    QtProcessRunner processes;
    SystemDriveInfo drives;
    QtDesktopServices desktop;
    QtPrintService print;
    ProgramState state(ProgramFolder::resolve(), Services{&dialogs, &settings, &processes, &drives, &desktop, &print});
    state.status.setBeep([] { QApplication::beep(); });

    Startup startup(state, WindowServices{&boxes, &dialogs, &print});
    if (!startup.run(app.arguments().mid(1)))
        return 1;
    if (qEnvironmentVariableIntValue("FENWYX_QUIT_AFTER_STARTUP") == 1) {
        QTimer::singleShot(0, &app, [&startup] {
            if (startup.frame())
                startup.frame()->closeWithoutAsking();
            QCoreApplication::exit(0);
        });
    }
    return app.exec();
}

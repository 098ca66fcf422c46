// SPDX-License-Identifier: GPL-3.0-or-later
// fenwyx: the windowed program.
#include "app/standardstreams.h"
#include "mainwindow/ui/application.h"
#include "shell/programinfo.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

const char kHelp[] =
    "usage: fenwyx [PROFILE | #NEW#]\n"
    "       fenwyx --help | --version\n"
    "\n"
    "Searches, views, compares and prints the photographs of wildland-fuel photo series, and builds fuel\n"
    "profiles from them.\n"
    "\n"
    "  PROFILE      a fuel profile (.pro) to open in the Assistant; \"?\" in the name stands for a blank\n"
    "  #NEW#        open the Assistant with a new fuel profile\n"
    "  --help       print this help and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "Qt's options (-platform NAME, -style NAME and the others) are taken as every Qt program takes them.\n"
    "fenwyx-cli runs the searches and reports without a window.\n";

const char kNoDesktop[] =
    "fenwyx: Fenwyx needs a graphical desktop, and none could be reached%s.\n"
    "fenwyx: fenwyx-cli searches the photo series and writes reports without one: see fenwyx-cli --help.\n";

// The program's own options begin with two hyphens; a profile's path never does (the file manager passes whole
// paths), so such a word is never taken for a file.
enum class Action { Run, Help, Version, Unknown };

Action readOptions(int argc, char **argv, const char **unknown)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return Action::Help;
        if (std::strcmp(argv[i], "--version") == 0)
            return Action::Version;
        if (std::strncmp(argv[i], "--", 2) == 0) {
            *unknown = argv[i];
            return Action::Unknown;
        }
    }
    return Action::Run;
}

bool platformNamed(int argc, char **argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0)
            return true;
    }
    return false;
}

// While the application connects to the display, Qt's fatal message about the platform plugin becomes the
// program's own: Qt would abort (and dump core) with advice to reinstall.
QtMessageHandler qtHandler = nullptr;

void startupMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, kNoDesktop, "");
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (qtHandler)
        qtHandler(type, context, message);
}

int printed(const char *text)
{
    std::fputs(text, stdout);
    return StandardStreams::closeOutput(StandardStreams::prefixedErrors("fenwyx: ")) ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    const char *unknown = nullptr;
    switch (readOptions(argc, argv, &unknown)) {
    case Action::Help:
        return printed(kHelp);
    case Action::Version:
        return printed(ProgramInfo::versionText(QStringLiteral("fenwyx")).toLocal8Bit().constData());
    case Action::Unknown:
        std::fprintf(stderr, "fenwyx: unknown option '%s'\n%.*s", unknown, int(std::strstr(kHelp, "\n\n") - kHelp + 1),
                     kHelp);
        return 2;
    case Action::Run:
        break;
    }
    if (!platformNamed(argc, argv) && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, kNoDesktop, " (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        return 1;
    }

    qtHandler = qInstallMessageHandler(startupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    setUpApplication(app);
    return runFenwyx(app);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The program and window fixtures of the tests.
#include "testprogram.h"

#include "mainwindow/ui/maincontroller.h"
#include "shell/ui/mdimain.h"
#include "testsupport.h"

#include <QAction>
#include <QProcess>

TestProgram::TestProgram(const QString &programFolder, const Options &options)
    : iniSettings(options.configFolder), state(programFolder, services(options))
{
}

Services TestProgram::services(const Options &options)
{
    Services s;
    s.dialogs = &guard;
    s.settings = options.iniSettings ? static_cast<SettingsStore *>(&iniSettings) : &memorySettings;
    s.processes = options.realProcesses ? static_cast<ProcessRunner *>(&realProcesses) : &processes;
    s.drives = &drives;
    s.desktop = &desktop;
    s.print = &print;
    return s;
}

SettingsStore &TestProgram::settings()
{
    return *state.services.settings;
}

void TestProgram::open()
{
    state.library.OpenPhotoDatabase(state.programFolder);
    state.photoDirectory.ReadPhotoDirectory(state.services.settings, state.services.drives, state.programFolder);
}

TestWindow::TestWindow(const QString &programFolder, const TestProgram::Options &options)
    : program(programFolder, options),
      m_frame(std::make_unique<MDIMain>(program.state.status, program.state.services.settings))
{
    program.open();
    m_controller = std::make_unique<MainController>(program.state, m_frame.get());
    m_controller->setDialogGuard(&program.guard);
    m_controller->InitMainWindow();
    m_controller->LoadQueryParameters();
    m_frame->resize(1200, 860);
    m_frame->show();
}

TestWindow::~TestWindow()
{
    m_controller.reset();
    m_frame.reset();
}

namespace TestSupport
{

bool makeSampleLibrary(const QString &folder, const QStringList &options)
{
    QProcess sample;
    sample.start(binPath(QStringLiteral("fenwyx-sample")), QStringList{folder} + options);
    if (!sample.waitForFinished(180000) || sample.exitStatus() != QProcess::NormalExit || sample.exitCode() != 0) {
        qWarning("fenwyx-sample failed: %s", sample.readAllStandardError().constData());
        return false;
    }
    return true;
}

bool copyTree(const QString &from, const QString &to)
{
    return QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), from, to}) == 0;
}

bool triggerAction(QObject *root, const QString &name)
{
    const QList<QAction *> found = root->findChildren<QAction *>(name);
    if (found.isEmpty()) {
        qWarning("no action %s", qPrintable(name));
        return false;
    }
    QAction *action = found.first();
    if (!action->isEnabled()) {
        qWarning("action %s is disabled", qPrintable(name));
        return false;
    }
    action->trigger();
    return true;
}

} // namespace TestSupport

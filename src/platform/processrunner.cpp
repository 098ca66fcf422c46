// Runs the family's sibling programs.
#include "processrunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QString QtProcessRunner::locate(const QString &program, const QString &programFolder)
{
    // "photomgr.exe" is the family's name for it; on this platform the program has no extension.
    QStringList names{program};
    if (program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        names.prepend(program.chopped(4));
    for (const QString &name : names) {
        const QFileInfo local(QDir(programFolder).filePath(name));
        if (local.isFile() && local.isExecutable())
            return local.absoluteFilePath();
    }
    for (const QString &name : names) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

bool QtProcessRunner::runAndWait(const QString &program, const QString &programFolder)
{
    const QString path = locate(program, programFolder);
    if (path.isEmpty())
        return false;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    process.start(path, {});
    if (!process.waitForStarted(-1))
        return false;
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return true;
}

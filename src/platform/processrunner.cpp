// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the family's sibling programs.
#include "processrunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>

#include <memory>
#include <utility>
#include <vector>

namespace
{

// Holds back user input (keys, mouse, wheel, touch) addressed to any object while it lives and posts it
// again, in order, when it ends. The event loop's ExcludeUserInputEvents holds back what the window
// system delivers; this holds back input that reaches the windows any other way.
class InputHold : public QObject
{
public:
    InputHold() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputHold() override
    {
        QCoreApplication::instance()->removeEventFilter(this);
        for (auto &[receiver, event] : m_held) {
            if (receiver)
                QCoreApplication::postEvent(receiver, event.release());
        }
    }
    InputHold(const InputHold &) = delete;
    InputHold &operator=(const InputHold &) = delete;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (!event->isInputEvent())
            return false;
        m_held.emplace_back(receiver, std::unique_ptr<QEvent>(event->clone()));
        return true;
    }

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_held;
};

} // namespace

QString QtProcessRunner::locate(const QString &program, const QString &programFolder)
{
    // The family names its programs with ".exe"; on this platform they have no extension.
    QStringList names{program};
    if (program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        names.prepend(program.chopped(4));
    // Beside this program first: an installed program's siblings lie there, not in the user's program folder.
    for (const QString &folder : {QCoreApplication::applicationDirPath(), programFolder}) {
        for (const QString &name : names) {
            const QFileInfo local(QDir(folder).filePath(name));
            if (!folder.isEmpty() && local.isFile() && local.isExecutable())
                return local.absoluteFilePath();
        }
    }
    for (const QString &name : names) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

ProcessRunner::Outcome QtProcessRunner::run(const QString &program, const QStringList &arguments,
                                            const QString &programFolder)
{
    Outcome outcome;
    const QString path = locate(program, programFolder);
    if (path.isEmpty())
        return outcome;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    process.setStandardInputFile(QProcess::nullDevice());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!programFolder.isEmpty())
        environment.insert(QStringLiteral("FENWYX_HOME"), programFolder);
    process.setProcessEnvironment(environment);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    process.start(path, arguments);
    if (!process.waitForStarted(-1))
        return outcome;
    outcome.started = true;
    if (process.state() != QProcess::NotRunning) {
        const InputHold hold;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    const QByteArray errors = process.readAllStandardError();
    if (!errors.isEmpty())
        fwrite(errors.constData(), 1, size_t(errors.size()), stderr); // still seen where the program's output goes
    outcome.errorOutput = QString::fromLocal8Bit(errors);
    outcome.succeeded = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return outcome;
}

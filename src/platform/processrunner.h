// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a sibling program and waiting for it to end.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class ProcessRunner
{
public:
    struct Outcome {
        bool started = false;
        bool succeeded = false; // ended normally with exit status 0
        QString errorOutput;    // what it wrote to its standard error
    };

    virtual ~ProcessRunner() = default;
    // Starts program (looked for beside this executable, then in programFolder, then on the search path) with
    // arguments and waits without a time limit. The program folder is handed to it as FENWYX_HOME, so the family's
    // programs work on the folder this one uses.
    virtual Outcome run(const QString &program, const QStringList &arguments, const QString &programFolder) = 0;
    // Without arguments; false when it could not be started.
    bool runAndWait(const QString &program, const QString &programFolder)
    {
        return run(program, {}, programFolder).started;
    }
};

// Runs the real program. While it runs, windows repaint but user input is held back.
class QtProcessRunner : public ProcessRunner
{
public:
    Outcome run(const QString &program, const QStringList &arguments, const QString &programFolder) override;
    static QString locate(const QString &program, const QString &programFolder);
};

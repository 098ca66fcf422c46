// Starting a sibling program and waiting for it to end.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class ProcessRunner
{
public:
    virtual ~ProcessRunner() = default;
    // Starts program (looked for in programFolder first, then on the search path) without arguments
    // and waits without a time limit. Returns false when it could not be started.
    virtual bool runAndWait(const QString &program, const QString &programFolder) = 0;
};

// Runs the real program. While it runs, windows repaint but user input is held back.
class QtProcessRunner : public ProcessRunner
{
public:
    bool runAndWait(const QString &program, const QString &programFolder) override;
    static QString locate(const QString &program, const QString &programFolder);
};

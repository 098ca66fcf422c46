// The start-up sequence: one copy only, splash, database, main window, first photo, command line.
#pragma once

#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class MDIMain;
class ProgramState;
class frmFenwyx;
class frmSplash;
class QtDialogs;

class Startup {
public:
    Startup(ProgramState &state, QtDialogs &dialogs);
    ~Startup();

    // Runs start-up; false when another copy is running (the refusal was shown).
    // lockPath empty: the per-user default.
    bool run(const QStringList &arguments, const QString &lockPath = {});

    MDIMain *frame() const { return m_frame.get(); }
    frmFenwyx *mainWindow() const;
    bool splashOpen() const { return !m_splash.isNull(); }
    // The steps that failed, for the log and the tests.
    QStringList failedSteps() const { return m_failed; }

    // Later subsystems hook in here: acting on "#NEW#" and on a profile file named on the command line.
    std::function<void()> openBuilderAssistant;
    std::function<bool(const QString &path)> loadProfileFromCommandLine;

private:
    void step(const char *name, const std::function<void()> &work);
    void closeSplash();
    void handleCommandLine(const QStringList &arguments);

    ProgramState &m_state;
    QtDialogs &m_dialogs;
    std::unique_ptr<class SingleInstance> m_instance;
    std::unique_ptr<MDIMain> m_frame;
    QPointer<frmSplash> m_splash;
    QStringList m_failed;
};

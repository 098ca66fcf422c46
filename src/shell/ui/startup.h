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

class Startup
{
public:
    // windowDialogs: the real dialogs when there are any (they get the frame as parent); may be null.
    Startup(ProgramState &state, QtDialogs *windowDialogs = nullptr);
    ~Startup();

    // Runs start-up; false when another copy is running (the refusal was shown).
    // lockPath empty: the per-user default.
    bool run(const QStringList &arguments, const QString &lockPath = {});

    MDIMain *frame() const { return m_frame.get(); }
    frmFenwyx *mainWindow() const;
    bool splashOpen() const;
    // The steps that failed, for the log and the tests.
    QStringList failedSteps() const { return m_failed; }

    // The Assistant hooks in here: opening it for "#NEW#" or a loaded profile, and going to the
    // source photo of the 0 to 2.9 inch component.
    std::function<void()> openBuilderAssistant;
    std::function<void()> goToFineSource;

private:
    void step(const char *name, const std::function<void()> &work);
    void closeSplash();
    void handleCommandLine(const QStringList &arguments);

    ProgramState &m_state;
    QtDialogs *m_windowDialogs;
    std::unique_ptr<class SingleInstance> m_instance;
    std::unique_ptr<MDIMain> m_frame;
    QPointer<frmSplash> m_splash;
    QStringList m_failed;
};

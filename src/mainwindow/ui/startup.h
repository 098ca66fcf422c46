// The start-up sequence: one copy only, splash, database, main window, first photo, command line.
#pragma once

#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class GuardedDialogs;
class HelpService;
class MDIMain;
class MainController;
class ProgramState;
class QtDialogs;
class frmFenwyx;
class frmSplash;

class Startup
{
public:
    // boxes: the real boxes, given the frame as their parent; guard: the decorator that takes the splash and
    // the Assistant out of the way of every modal box. Both may be null (tests).
    Startup(ProgramState &state, QtDialogs *boxes = nullptr, GuardedDialogs *guard = nullptr);
    ~Startup();

    // Runs start-up; false when another copy is running (the refusal was shown).
    // lockPath empty: the per-user default.
    bool run(const QStringList &arguments, const QString &lockPath = {});

    MDIMain *frame() const { return m_frame.get(); }
    MainController *controller() const { return m_controller.get(); }
    frmFenwyx *mainWindow() const;
    bool splashOpen() const;
    // The steps that failed, for the log and the tests.
    QStringList failedSteps() const { return m_failed; }

private:
    void step(const char *name, const std::function<void()> &work);
    void closeSplash();
    void handleCommandLine(const QStringList &arguments);

    ProgramState &m_state;
    QtDialogs *m_boxes;
    GuardedDialogs *m_guard;
    std::unique_ptr<class SingleInstance> m_instance;
    std::unique_ptr<MDIMain> m_frame;
    std::unique_ptr<MainController> m_controller;
    std::unique_ptr<HelpService> m_help;
    QPointer<frmSplash> m_splash;
    QStringList m_failed;
};

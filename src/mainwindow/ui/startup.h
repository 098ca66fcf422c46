// SPDX-License-Identifier: GPL-3.0-or-later
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
class QtPrintService;
class ReportPrinter;
class frmFenwyx;
class frmSplash;

// The real windows behind the platform services, which get the frame as their parent, and the decorator that
// takes the splash and the Assistant out of the way of every modal box. Any may be null (tests).
struct WindowServices {
    QtDialogs *boxes = nullptr;
    GuardedDialogs *guard = nullptr;
    QtPrintService *print = nullptr;
};

class Startup
{
public:
    explicit Startup(ProgramState &state, WindowServices windows = {});
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
    // The library's tries in the background on a locked database have ended: fills the window, or says why not.
    void databaseRetried();

    ProgramState &m_state;
    WindowServices m_windows;
    std::unique_ptr<class SingleInstance> m_instance;
    std::unique_ptr<MDIMain> m_frame;
    std::unique_ptr<MainController> m_controller;
    std::unique_ptr<HelpService> m_help;
    std::unique_ptr<ReportPrinter> m_reports;
    QPointer<frmSplash> m_splash;
    QStringList m_failed;
};

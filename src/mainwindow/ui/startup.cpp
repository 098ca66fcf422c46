// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: each step runs guarded, so one failing step never stops the ones after it.
#include "startup.h"

#include "help/ui/helpservice.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/frmfenwyx.h"
#include "mainwindow/ui/maincontroller.h"
#include "platform/singleinstance.h"
#include "platform/ui/guardeddialogs.h"
#include "platform/ui/qtdialogs.h"
#include "platform/ui/qtprintservice.h"
#include "print/ui/reportprinter.h"
#include "shell/commandline.h"
#include "shell/ui/frmsplash.h"
#include "shell/ui/mdimain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QScreen>
#include <exception>

Q_LOGGING_CATEGORY(lcStartup, "fenwyx.startup", QtWarningMsg)

Startup::Startup(ProgramState &state, WindowServices windows) : m_state(state), m_windows(windows) {}

Startup::~Startup()
{
    // The controller lets go of the windows before the frame takes them down.
    m_controller.reset();
    m_help.reset();
    m_reports.reset();
}

frmFenwyx *Startup::mainWindow() const
{
    return m_controller ? m_controller->window() : nullptr;
}

bool Startup::splashOpen() const
{
    return m_splash && m_splash->isVisible();
}

void Startup::step(const char *name, const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    try {
        work();
        qCDebug(lcStartup, "%s: %.1f ms", name, timer.nsecsElapsed() / 1e6);
    } catch (const std::exception &e) {
        m_failed << QStringLiteral("%1: %2").arg(QString::fromLatin1(name), QString::fromLocal8Bit(e.what()));
        qWarning("start-up step %s failed: %s", name, e.what());
    } catch (...) {
        m_failed << QString::fromLatin1(name);
        qWarning("start-up step %s failed", name);
    }
}

void Startup::closeSplash()
{
    if (m_splash)
        m_splash->close();
}

bool Startup::run(const QStringList &arguments, const QString &lockPath)
{
    m_instance = std::make_unique<SingleInstance>(lockPath);
    if (!m_instance->acquire()) {
        m_state.services.dialogs->message(QStringLiteral("Error: you already have Fenwyx Running"),
                                          QStringLiteral("Fenwyx"), MessageButtons::Ok, MessageIcon::Critical);
        return false;
    }

    // The splash may be closed early by the user; that must not end the program.
    const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);

    step("splash", [this] {
        m_splash = new frmSplash;
        if (QScreen *screen = QGuiApplication::primaryScreen())
            m_splash->move(screen->availableGeometry().center() - m_splash->rect().center());
        // No modal box may hide behind the always-on-top splash.
        if (m_windows.guard)
            m_windows.guard->closeBeforeModal(m_splash);
        m_splash->show();
        m_splash->raise();
        QApplication::processEvents();
    });
    step("main window", [this] {
        m_frame = std::make_unique<MDIMain>(m_state.status, m_state.services.settings);
        m_controller = std::make_unique<MainController>(m_state, m_frame.get());
        m_controller->setDialogGuard(m_windows.guard);
        if (m_state.services.desktop) {
            m_help = std::make_unique<HelpService>(*m_state.services.desktop, *m_state.services.dialogs,
                                                   m_state.programFolder, m_frame.get());
            m_controller->setHelp(m_help.get());
        }
        if (m_windows.boxes)
            m_windows.boxes->setParentWindow(m_frame.get());
        if (m_windows.print)
            m_windows.print->setParentWindow(m_frame.get());
        if (m_state.services.print) {
            m_reports = std::make_unique<ReportPrinter>(*m_state.services.print, *m_state.services.dialogs,
                                                        m_state.status, m_state.photoDirectory, m_state.programFolder,
                                                        m_state.library, m_state.services.settings, m_frame.get());
            m_controller->setReports(m_reports.get());
        }
    });
    QString databaseError;
    step("database",
         [this, &databaseError] { m_state.library.OpenPhotoDatabase(m_state.programFolder, &databaseError); });
    step("photo directory", [this] {
        m_state.photoDirectory.ReadPhotoDirectory(m_state.services.settings, m_state.services.drives,
                                                  m_state.programFolder);
    });
    step("main window set-up", [this] {
        if (m_controller)
            m_controller->InitMainWindow();
    });
    step("query parameters", [this] {
        if (m_controller)
            m_controller->LoadQueryParameters();
    });
    step("show frame", [this] {
        if (m_frame)
            m_frame->show(); // and with it the main window inside
    });
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
    step("first result", [this] {
        if (m_controller)
            m_controller->SelectResult(1);
    });
    // Without a usable database the user is told why the list is empty, before the command line is acted on.
    // A database that another program keeps locked is tried again in the background and fills the window then.
    QString databaseProblem =
        m_state.library.isOpen() ? QString() : QStringLiteral("No photo database: ") + databaseError;
    if (m_state.library.retrying())
        databaseProblem += QStringLiteral("; trying again until it is free");
    // No step before this one lets events run, so no try can end unheard.
    if (m_controller)
        QObject::connect(&m_state.library, &PhotoLibrary::retryFinished, m_controller.get(),
                         [this] { databaseRetried(); });
    if (!databaseProblem.isEmpty())
        m_state.status.ShowStatus(StatusError, databaseProblem);
    const QString reported = m_state.status.message();
    step("command line", [this, &arguments] { handleCommandLine(arguments); });
    // A problem of the command line does not hide the database's: both stay on the line, the database first.
    const QString later = m_state.status.message();
    if (!databaseProblem.isEmpty() && !m_state.library.isOpen() && later != reported &&
        m_state.status.icon() == StatusReporter::Icon::Error)
        m_state.status.ShowStatus(StatusError, databaseProblem + QStringLiteral("; ") +
                                                   later.mid(later.indexOf(QLatin1String(" - ")) + 3));
    step("close splash", [this] {
        QApplication::processEvents();
        closeSplash();
    });
    return true;
}

void Startup::databaseRetried()
{
    if (!m_state.library.isOpen()) {
        m_state.status.ShowStatus(StatusError, QStringLiteral("No photo database: ") + m_state.library.lastError());
        return;
    }
    m_controller->FillResultsList();
    m_controller->LoadQueryParameters();
    m_controller->SelectResult(1);
}

void Startup::handleCommandLine(const QStringList &arguments)
{
    const QStringList args = GetCommandLine(arguments, 1);
    if (args.size() < 2)
        return;
    const QString argument = args.at(1);
    if (argument.contains(QLatin1String("#NEW#"))) {
        if (m_controller)
            m_controller->openBuilderAssistant();
        return;
    }
    const QFileInfo file(argument);
    if (file.isFile()) {
        // The path goes into the family list, which sibling programs read: make it absolute.
        m_state.profile.LoadFromCommandLine(file.absoluteFilePath());
        if (m_controller) {
            m_controller->openBuilderAssistant();
            m_controller->goToFineSource();
        }
        return;
    }
    m_state.status.ShowStatus(StatusError, QStringLiteral("Can't find file: ") + argument);
}

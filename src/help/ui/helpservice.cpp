// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu's commands.
#include "helpservice.h"

#include "help/helpfiles.h"
#include "help/systeminfo.h"
#include "help/ui/frmabout.h"
#include "help/ui/frmhelp.h"
#include "help/webpage.h"
#include "platform/desktopservices.h"
#include "platform/dialogs.h"
#include "shell/programinfo.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

HelpService::HelpService(DesktopServices &desktop, Dialogs &dialogs, QString programFolder, QWidget *parentWindow)
    : m_desktop(desktop), m_dialogs(dialogs), m_programFolder(std::move(programFolder)), m_parent(parentWindow),
      m_supportHost(SupportPage::configuredHost())
{
}

HelpService::~HelpService()
{
    delete m_about.data();
    delete m_help.data();
}

void HelpService::helpContents()
{
    showHelpPage(HelpFiles::entryPageName());
}

bool HelpService::showHelpPage(const QString &page)
{
    const QString folder = HelpFiles::folder(m_programFolder);
    const QString entry = HelpFiles::entryPage(m_programFolder);
    QString missing;
    if (!QFileInfo(folder).isDir())
        missing = QStringLiteral("The help folder was not found:\r") + QDir::toNativeSeparators(folder);
    else if (!QFileInfo(entry).isFile())
        missing = QStringLiteral("The help's contents page was not found:\r") + QDir::toNativeSeparators(entry);
    if (!missing.isEmpty()) {
        m_dialogs.message(missing, ProgramInfo::title(), MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    if (!m_help) {
        m_help = new frmHelp(folder, m_parent);
        connect(m_help, &frmHelp::externalLinkClicked, this,
                [this](const QUrl &url) { OpenWebPage(m_desktop, m_dialogs, url); });
    }
    if (!m_help->showPage(page))
        m_help->showContents();
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
    return true;
}

void HelpService::webSupport()
{
    OpenWebPage(m_desktop, m_dialogs, supportPageAddress());
}

QUrl HelpService::supportPageAddress() const
{
    return SupportPage::address(m_programFolder, m_supportHost);
}

void HelpService::about()
{
    if (!m_about) {
        m_about = new frmAbout(m_parent);
        connect(m_about, &frmAbout::sysInfoRequested, this, [this] { StartSysInfo(m_desktop, m_dialogs); });
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

frmAbout *HelpService::aboutWindow() const
{
    return m_about.data();
}

frmHelp *HelpService::helpWindow() const
{
    return m_help.data();
}

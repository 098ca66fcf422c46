// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu's commands: the help window, the support page and the About box, each window made on first use.
#pragma once

#include "help/helpcommands.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class DesktopServices;
class Dialogs;
class QWidget;
class frmAbout;
class frmHelp;

class HelpService : public QObject, public HelpCommands
{
    Q_OBJECT
public:
    // parentWindow: the window the help and About windows belong to (the main frame); may be null.
    HelpService(DesktopServices &desktop, Dialogs &dialogs, QString programFolder, QWidget *parentWindow = nullptr);
    ~HelpService() override;

    // Help Contents (menu, toolbar "Help", F1): the help window at its contents page.
    void helpContents() override;
    // Web Based Support: the support page in the user's browser.
    void webSupport() override;
    // About: the About box, not modal.
    void about() override;
    void helpTopic(const QString &page) override { showHelpPage(page); }

    // Opens the help window at a page of the help folder ("printing.html#pdf"). When the help is not
    // installed, says so naming the place it looked in, and returns false.
    bool showHelpPage(const QString &page);

    // The support page's address for this build (the FENWYX_SUPPORT_HOST option, or the shipped page).
    QUrl supportPageAddress() const;
    void setSupportHost(const QString &host) { m_supportHost = host; }

    frmAbout *aboutWindow() const;
    frmHelp *helpWindow() const;

private:
    DesktopServices &m_desktop;
    Dialogs &m_dialogs;
    const QString m_programFolder;
    QPointer<QWidget> m_parent;
    QString m_supportHost;
    QPointer<frmAbout> m_about;
    QPointer<frmHelp> m_help;
};

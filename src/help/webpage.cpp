// SPDX-License-Identifier: GPL-3.0-or-later
// The support page's address and handing an address to the browser.
#include "webpage.h"

#include "help/helpfiles.h"
#include "platform/desktopservices.h"
#include "platform/dialogs.h"
#include "shell/programinfo.h"

#include <QDir>

#ifndef FENWYX_SUPPORT_HOST
#define FENWYX_SUPPORT_HOST ""
#endif

bool OpenWebPage(DesktopServices &desktop, Dialogs &dialogs, const QUrl &address)
{
    QString problem;
    switch (desktop.openUrl(address)) {
    case UrlOpened::Opened:
        return true;
    case UrlOpened::NoProgram:
        problem = QStringLiteral("Could not find a web browser");
        break;
    case UrlOpened::Failed:
        problem = QStringLiteral("Web Page not Opened");
        break;
    }
    dialogs.message(problem, ProgramInfo::title(), MessageButtons::Ok, MessageIcon::None);
    return false;
}

namespace SupportPage
{
QString configuredHost()
{
    return QStringLiteral(FENWYX_SUPPORT_HOST).trimmed();
}

QUrl address(const QString &programFolder, const QString &host)
{
    QString base = host.trimmed();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    if (base.isEmpty())
        return QUrl::fromLocalFile(HelpFiles::folder(programFolder) + path());
    if (!base.contains(QLatin1String("://")))
        base.prepend(QStringLiteral("https://"));
    return QUrl(base + path());
}
} // namespace SupportPage

// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a web page in the user's browser, and the address of the support page.
#pragma once

#include <QString>
#include <QUrl>

class DesktopServices;
class Dialogs;

// Hands the address to the desktop's browser. When nothing can open it: "Could not find a web browser";
// when opening fails: "Web Page not Opened"; each in a message box with only an OK button and no icon.
// Returns true when the page was handed over.
bool OpenWebPage(DesktopServices &desktop, Dialogs &dialogs, const QUrl &address);

namespace SupportPage
{
// The path of the support page on the host.
inline QString path()
{
    return QStringLiteral("/brackel/brackelsupport.htm");
}

// The host the build was configured with (the FENWYX_SUPPORT_HOST option); empty for the page shipped
// with the program.
QString configuredHost();

// host + "/brackel/brackelsupport.htm"; a host without a scheme is taken as https. An empty host gives the
// copy of the page in the program's help folder, so the command always leads somewhere real.
QUrl address(const QString &programFolder, const QString &host = configuredHost());
} // namespace SupportPage

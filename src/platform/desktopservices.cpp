// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's services through Qt.
#include "desktopservices.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

bool QtDesktopServices::hasWebBrowser()
{
    QStringList candidates{QStringLiteral("xdg-open")};
    for (const char *variable : {"DEFAULT_BROWSER", "BROWSER"}) {
        // $BROWSER may list several programs separated by colons
        for (const QString &program : qEnvironmentVariable(variable).split(QLatin1Char(':'), Qt::SkipEmptyParts))
            candidates << program.trimmed();
    }
    candidates << QStringLiteral("x-www-browser") << QStringLiteral("firefox") << QStringLiteral("firefox-esr")
               << QStringLiteral("chromium") << QStringLiteral("google-chrome") << QStringLiteral("epiphany-browser")
               << QStringLiteral("konqueror");
    for (const QString &program : candidates) {
        if (!program.isEmpty() && !QStandardPaths::findExecutable(program).isEmpty())
            return true;
    }
    return false;
}

UrlOpened QtDesktopServices::openUrl(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    const bool webPage =
        scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("file");
    if (webPage && !hasWebBrowser())
        return UrlOpened::NoProgram;
    return QDesktopServices::openUrl(url) ? UrlOpened::Opened : UrlOpened::Failed;
}

QString QtDesktopServices::findExecutable(const QString &name) const
{
    return QStandardPaths::findExecutable(name);
}

bool QtDesktopServices::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

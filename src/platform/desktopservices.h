// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's services: opening an address in the user's browser, finding and starting other programs.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

enum class UrlOpened {
    Opened,
    NoProgram, // nothing on this desktop opens such an address
    Failed,    // a program was there but the address was not opened
};

class DesktopServices
{
public:
    virtual ~DesktopServices() = default;
    // Hands the address to the program the desktop chooses for it; nothing is written to disk.
    virtual UrlOpened openUrl(const QUrl &url) = 0;
    // The full path of a program on the search path, or empty.
    virtual QString findExecutable(const QString &name) const = 0;
    // Starts a program that runs on by itself; false when it could not be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
};

// QDesktopServices, QStandardPaths and QProcess.
class QtDesktopServices : public DesktopServices
{
public:
    UrlOpened openUrl(const QUrl &url) override;
    QString findExecutable(const QString &name) const override;
    bool startDetached(const QString &program, const QStringList &arguments) override;

    // Whether the desktop has a program for web pages: its opener (xdg-open), a browser named by
    // $BROWSER or $DEFAULT_BROWSER, or a well-known browser; the places the platform itself looks.
    static bool hasWebBrowser();
};

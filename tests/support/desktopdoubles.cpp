// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop double.
#include "desktopdoubles.h"

UrlOpened RecordingDesktopServices::openUrl(const QUrl &url)
{
    openedUrls.push_back(url);
    return urlAnswer;
}

QString RecordingDesktopServices::findExecutable(const QString &name) const
{
    lookedFor << name;
    return onSearchPath.value(name);
}

bool RecordingDesktopServices::startDetached(const QString &program, const QStringList &arguments)
{
    if (failingPrograms.contains(program))
        return false;
    started.push_back({program, arguments});
    return true;
}

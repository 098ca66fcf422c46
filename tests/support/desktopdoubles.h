// SPDX-License-Identifier: GPL-3.0-or-later
// A desktop double for the tests: records the addresses and programs handed to it and answers from a script.
#pragma once

#include "platform/desktopservices.h"

#include <QMap>
#include <vector>

class RecordingDesktopServices : public DesktopServices
{
public:
    struct Started {
        QString program;
        QStringList arguments;
    };

    UrlOpened urlAnswer = UrlOpened::Opened;
    QMap<QString, QString> onSearchPath; // program name -> its full path
    QStringList failingPrograms;         // full paths that do not start

    std::vector<QUrl> openedUrls;
    mutable QStringList lookedFor;
    std::vector<Started> started;

    UrlOpened openUrl(const QUrl &url) override;
    QString findExecutable(const QString &name) const override;
    bool startDetached(const QString &program, const QStringList &arguments) override;
};

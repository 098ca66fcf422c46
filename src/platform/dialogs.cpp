// SPDX-License-Identifier: GPL-3.0-or-later
// Scripted and console answers to the program's questions.
#include "dialogs.h"

#include <QFileInfo>

MessageAnswer ConfirmReplace(Dialogs &dialogs, const QString &path)
{
    if (!QFileInfo::exists(path))
        return MessageAnswer::Yes;
    return dialogs.message(path + QStringLiteral(" exists. Do you wish to replace it?"), QString(),
                           MessageButtons::YesNo, MessageIcon::Exclamation);
}

MessageAnswer ConsoleDialogs::message(const QString &text, const QString &, MessageButtons buttons, MessageIcon)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_err << shown << '\n';
    m_err.flush();
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

std::optional<QString> ConsoleDialogs::openFileName(const FileDialogRequest &)
{
    return std::nullopt;
}

std::optional<QString> ConsoleDialogs::saveFileName(const FileDialogRequest &)
{
    return std::nullopt;
}

int ConsoleDialogs::askPhotoDrive(const QString &)
{
    return 3;
}

std::optional<QString> ConsoleDialogs::chooseFolder(const QString &, const QString &)
{
    return std::nullopt;
}

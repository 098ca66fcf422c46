// SPDX-License-Identifier: GPL-3.0-or-later
// Platform doubles for the tests.
#include "platformdoubles.h"

MessageAnswer ScriptedDialogs::message(const QString &text, const QString &caption, MessageButtons buttons,
                                       MessageIcon icon)
{
    messages.push_back({text, caption, buttons, icon});
    if (onAsk)
        onAsk();
    if (answers.empty())
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::openFileName(const FileDialogRequest &request)
{
    fileRequests.push_back(request);
    if (onAsk)
        onAsk();
    if (fileNames.empty())
        return std::nullopt;
    const bool chosen = fileNames.front().has_value();
    const QString name = chosen ? *fileNames.front() : QString();
    fileNames.pop_front();
    if (!chosen)
        return std::nullopt;
    return name;
}

std::optional<QString> ScriptedDialogs::saveFileName(const FileDialogRequest &request)
{
    return openFileName(request);
}

int ScriptedDialogs::askPhotoDrive(const QString &photoDirectory)
{
    driveAsked.push_back(photoDirectory);
    if (onAsk)
        onAsk();
    if (driveAnswers.empty())
        return 0;
    const int answer = driveAnswers.front();
    driveAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::chooseFolder(const QString &, const QString &startFolder)
{
    folderStarts.push_back(startFolder);
    if (onAsk)
        onAsk();
    if (folders.empty())
        return std::nullopt;
    const bool chosen = folders.front().has_value();
    const QString folder = chosen ? *folders.front() : QString();
    folders.pop_front();
    if (!chosen)
        return std::nullopt;
    return folder;
}

ProcessRunner::Outcome RecordingProcessRunner::run(const QString &program, const QStringList &args, const QString &)
{
    started.push_back(program);
    arguments.push_back(args);
    Outcome outcome;
    if (!canStart)
        return outcome;
    if (onRun)
        onRun();
    outcome.started = true;
    outcome.succeeded = true;
    return outcome;
}

QString MemorySettingsStore::readText(const QString &application, const QString &section, const QString &key,
                                      const QString &defaultValue) const
{
    return m_values.value(application + QLatin1Char('/') + section + QLatin1Char('/') + key, defaultValue);
}

bool MemorySettingsStore::writeText(const QString &application, const QString &section, const QString &key,
                                    const QString &value)
{
    m_values.insert(application + QLatin1Char('/') + section + QLatin1Char('/') + key, value);
    return true;
}

// Scripted and console answers to the program's questions.
#include "dialogs.h"

MessageAnswer ScriptedDialogs::message(const QString &text, const QString &caption, MessageButtons buttons,
                                       MessageIcon icon)
{
    messages.push_back({text, caption, buttons, icon});
    if (answers.empty())
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::openFileName(const FileDialogRequest &request)
{
    fileRequests.push_back(request);
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

// SPDX-License-Identifier: GPL-3.0-or-later
// Platform doubles for the tests: scripted answers to every question, a recorded photo manager, settings in
// memory and a fixed optical drive.
#pragma once

#include "platform/dialogs.h"
#include "platform/driveinfo.h"
#include "platform/processrunner.h"
#include "platform/settingsstore.h"

#include <QMap>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Answers from a script, in order; records everything it was asked. Used by tests.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown {
        QString text;
        QString caption;
        MessageButtons buttons;
        MessageIcon icon;
    };

    std::deque<MessageAnswer> answers;            // when empty: Ok / No
    std::deque<std::optional<QString>> fileNames; // when empty: cancelled
    std::vector<Shown> messages;
    std::vector<FileDialogRequest> fileRequests;
    std::deque<int> driveAnswers;               // when empty: 0, closed without an answer
    std::deque<std::optional<QString>> folders; // folder choosers; when empty: cancelled
    std::vector<QString> folderStarts;          // where each folder chooser started
    std::vector<QString> driveAsked;
    // Runs whenever a box or chooser comes up, to look at the windows around it.
    std::function<void()> onAsk;

    MessageAnswer message(const QString &text, const QString &caption, MessageButtons buttons,
                          MessageIcon icon) override;
    std::optional<QString> openFileName(const FileDialogRequest &request) override;
    std::optional<QString> saveFileName(const FileDialogRequest &request) override;
    int askPhotoDrive(const QString &photoDirectory) override;
    std::optional<QString> chooseFolder(const QString &title, const QString &startFolder) override;
};

// Records what would have been run; an optional action stands in for the program's work.
class RecordingProcessRunner : public ProcessRunner
{
public:
    std::vector<QString> started;
    std::vector<QStringList> arguments; // of each started program
    bool canStart = true;
    std::function<void()> onRun;
    Outcome run(const QString &program, const QStringList &arguments, const QString &programFolder) override;
};

// Settings kept in memory for the length of a test.
class MemorySettingsStore : public SettingsStore
{
public:
    QString readText(const QString &application, const QString &section, const QString &key,
                     const QString &defaultValue) const override;
    bool writeText(const QString &application, const QString &section, const QString &key,
                   const QString &value) override;

private:
    QMap<QString, QString> m_values;
};

// An optical drive that is always (or never) there.
class FixedDriveInfo : public DriveInfo
{
public:
    explicit FixedDriveInfo(QString root = {}) : m_root(std::move(root)) {}
    QString firstOpticalDriveRoot() const override { return m_root; }

private:
    QString m_root;
};

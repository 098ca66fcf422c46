// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes and file choosers as the program asks for them; windows and tests answer them.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <deque>
#include <optional>
#include <vector>

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Question, Critical, Exclamation, Information };
enum class MessageAnswer { Ok, Yes, No };

struct FileDialogRequest {
    QString title;
    QString filter; // Qt filter form: "Fenwyx Fuel Profile(*.pro)"
    QString initialFolder;
    QString fileName; // the name offered in the box
};

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer message(const QString &text, const QString &caption, MessageButtons buttons,
                                  MessageIcon icon) = 0;
    // An empty optional means the user cancelled.
    virtual std::optional<QString> openFileName(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest &request) = 0;
    // The photo-drive warning for a photo directory that cannot be read: 1 retry, 2 manage photo series,
    // 3 search local only, 0 closed without an answer.
    virtual int askPhotoDrive(const QString &photoDirectory) = 0;
    // A folder chooser starting at a folder; an empty optional means the user cancelled.
    virtual std::optional<QString> chooseFolder(const QString &title, const QString &startFolder) = 0;
};

// Asks before a file is replaced: Yes at once when no file of that name exists, otherwise the answer to
// "<path> exists. Do you wish to replace it?".
MessageAnswer ConfirmReplace(Dialogs &dialogs, const QString &path);

// Batch interface: messages go to the error stream, questions are answered No, file choosers are cancelled.
class ConsoleDialogs : public Dialogs
{
public:
    explicit ConsoleDialogs(QTextStream &err) : m_err(err) {}
    MessageAnswer message(const QString &text, const QString &caption, MessageButtons buttons,
                          MessageIcon icon) override;
    std::optional<QString> openFileName(const FileDialogRequest &request) override;
    std::optional<QString> saveFileName(const FileDialogRequest &request) override;
    // Nothing can be asked: the photos are looked for in the local copy.
    int askPhotoDrive(const QString &photoDirectory) override;
    std::optional<QString> chooseFolder(const QString &title, const QString &startFolder) override;

private:
    QTextStream &m_err;
};

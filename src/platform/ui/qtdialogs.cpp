// SPDX-License-Identifier: GPL-3.0-or-later
// QMessageBox and QFileDialog behind the Dialogs interface.
#include "qtdialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

MessageAnswer QtDialogs::message(const QString &text, const QString &caption, MessageButtons buttons, MessageIcon icon)
{
    QMessageBox box(m_parent);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    box.setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
    switch (icon) {
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::None:
        break;
    }
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

static QString startPath(const FileDialogRequest &request)
{
    if (request.fileName.isEmpty())
        return request.initialFolder;
    return QDir(request.initialFolder).filePath(request.fileName);
}

std::optional<QString> QtDialogs::openFileName(const FileDialogRequest &request)
{
    const QString name = QFileDialog::getOpenFileName(m_parent, request.title, startPath(request), request.filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> QtDialogs::saveFileName(const FileDialogRequest &request)
{
    // The program asks its own replace question after adding the extension.
    const QString name = QFileDialog::getSaveFileName(m_parent, request.title, startPath(request), request.filter,
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> QtDialogs::chooseFolder(const QString &title, const QString &startFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(m_parent, title, startFolder);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes and file choosers as real windows.
#pragma once

#include "platform/dialogs.h"

#include <QPointer>
#include <QWidget>
#include <functional>

// The photo-drive warning is a window of the program, not of the platform: a subclass asks it.
class QtDialogs : public Dialogs
{
public:
    void setParentWindow(QWidget *parent) { m_parent = parent; }
    MessageAnswer message(const QString &text, const QString &caption, MessageButtons buttons,
                          MessageIcon icon) override;
    std::optional<QString> openFileName(const FileDialogRequest &request) override;
    std::optional<QString> saveFileName(const FileDialogRequest &request) override;
    std::optional<QString> chooseFolder(const QString &title, const QString &startFolder) override;

protected:
    QWidget *parentWindow() const { return m_parent; }

private:
    QPointer<QWidget> m_parent;
};

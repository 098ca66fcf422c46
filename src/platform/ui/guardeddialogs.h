// SPDX-License-Identifier: GPL-3.0-or-later
// Every modal box of the program with the floating windows taken out of its way while it is up.
#pragma once

#include "platform/dialogs.h"

#include <QPointer>
#include <QWidget>
#include <vector>

// Hides a window for the length of a scope when it is shown, and shows it again at the end (not modal).
class HiddenWhile
{
public:
    explicit HiddenWhile(QWidget *window);
    ~HiddenWhile();
    HiddenWhile(const HiddenWhile &) = delete;
    HiddenWhile &operator=(const HiddenWhile &) = delete;

private:
    QPointer<QWidget> m_window;
    bool m_wasVisible = false;
};

class GuardedDialogs : public Dialogs
{
public:
    explicit GuardedDialogs(Dialogs &inner) : m_inner(inner) {}

    // Closed for good before any box (the splash window, which stays above everything).
    void closeBeforeModal(QWidget *window);
    // Hidden while a box is up and shown again afterwards (the Assistant, which floats above the frame).
    void hideAroundModal(QWidget *window);

    MessageAnswer message(const QString &text, const QString &caption, MessageButtons buttons,
                          MessageIcon icon) override;
    std::optional<QString> openFileName(const FileDialogRequest &request) override;
    std::optional<QString> saveFileName(const FileDialogRequest &request) override;
    int askPhotoDrive(const QString &photoDirectory) override;
    std::optional<QString> chooseFolder(const QString &title, const QString &startFolder) override;

private:
    // Runs one box with the windows out of its way.
    template <typename Ask> auto guarded(Ask &&ask);

    Dialogs &m_inner;
    std::vector<QPointer<QWidget>> m_close;
    std::vector<QPointer<QWidget>> m_hide;
};

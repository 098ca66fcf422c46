// SPDX-License-Identifier: GPL-3.0-or-later
// Taking the floating windows out of the way of the modal boxes.
#include "guardeddialogs.h"

#include <QApplication>
#include <list>

HiddenWhile::HiddenWhile(QWidget *window) : m_window(window)
{
    if (m_window && m_window->isVisible()) {
        m_wasVisible = true;
        m_window->hide();
    }
}

HiddenWhile::~HiddenWhile()
{
    if (m_window && m_wasVisible)
        m_window->show();
}

void GuardedDialogs::closeBeforeModal(QWidget *window)
{
    m_close.emplace_back(window);
}

void GuardedDialogs::hideAroundModal(QWidget *window)
{
    m_hide.emplace_back(window);
}

template <typename Ask> auto GuardedDialogs::guarded(Ask &&ask)
{
    for (const QPointer<QWidget> &window : m_close) {
        if (window && window->isVisible())
            window->close();
    }
    std::list<HiddenWhile> hidden;
    for (const QPointer<QWidget> &window : m_hide)
        hidden.emplace_back(window.data());
    return ask();
}

MessageAnswer GuardedDialogs::message(const QString &text, const QString &caption, MessageButtons buttons,
                                      MessageIcon icon)
{
    return guarded([&] { return m_inner.message(text, caption, buttons, icon); });
}

std::optional<QString> GuardedDialogs::openFileName(const FileDialogRequest &request)
{
    return guarded([&] { return m_inner.openFileName(request); });
}

std::optional<QString> GuardedDialogs::saveFileName(const FileDialogRequest &request)
{
    return guarded([&] { return m_inner.saveFileName(request); });
}

int GuardedDialogs::askPhotoDrive(const QString &photoDirectory)
{
    return guarded([&] { return m_inner.askPhotoDrive(photoDirectory); });
}

std::optional<QString> GuardedDialogs::chooseFolder(const QString &title, const QString &startFolder)
{
    return guarded([&] { return m_inner.chooseFolder(title, startFolder); });
}

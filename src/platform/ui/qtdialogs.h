// Message boxes and file choosers as real windows.
#pragma once

#include "platform/dialogs.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QtDialogs : public Dialogs
{
public:
    void setParentWindow(QWidget *parent) { m_parent = parent; }
    // Runs before every modal box (start-up uses it to take the splash out of the way).
    void setBeforeModal(std::function<void()> hook) { m_beforeModal = std::move(hook); }
    MessageAnswer message(const QString &text, const QString &caption, MessageButtons buttons,
                          MessageIcon icon) override;
    std::optional<QString> openFileName(const FileDialogRequest &request) override;
    std::optional<QString> saveFileName(const FileDialogRequest &request) override;

private:
    void beforeModal() const
    {
        if (m_beforeModal)
            m_beforeModal();
    }
    QPointer<QWidget> m_parent;
    std::function<void()> m_beforeModal;
};

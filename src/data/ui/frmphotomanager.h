// SPDX-License-Identifier: GPL-3.0-or-later
// frmPhotoManager: the photo manager's window — the installed books, and installing, removing and moving them.
#pragma once

#include "data/photoseries.h"

#include <QPointer>
#include <QWidget>
#include <atomic>
#include <functional>

class Dialogs;
class DriveInfo;
class QLabel;
class QProgressDialog;
class QPushButton;
class QTableWidget;
class QThread;
class SettingsStore;

class frmPhotoManager : public QWidget
{
    Q_OBJECT
public:
    frmPhotoManager(QString programFolder, Dialogs &dialogs, SettingsStore *settings, const DriveInfo *drives,
                    QWidget *parent = nullptr);
    ~frmPhotoManager() override;

    // Reads the installed books afresh.
    void refresh();
    // Install from a folder or a .zip file: the plan is shown, and the installation runs once it is accepted.
    void installFrom(const QString &source);
    bool busy() const { return m_worker != nullptr; }

Q_SIGNALS:
    // A long step (installing, moving) has ended, however.
    void workFinished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void installFolderCommand();
    void installZipCommand();
    void removeCommand();
    void moveCommand(PhotoSeries::MoveTarget target);
    QStringList selectedLabels() const;
    void updateButtons();
    // Runs work in a thread of its own behind a progress window with Cancel; then done(ok, error) here.
    void runInBackground(const QString &title,
                         const std::function<bool(const PhotoSeries::ProgressFunction &, QString *)> &work,
                         const std::function<void(bool, const QString &)> &done);

    const QString m_programFolder;
    Dialogs &m_dialogs;
    SettingsStore *m_settings;
    const DriveInfo *m_drives;
    QTableWidget *m_books;
    QLabel *m_where;
    QPushButton *m_remove;
    QPushButton *m_toLocal;
    QPushButton *m_toPhotoDirectory;
    std::vector<PhotoSeries::InstalledBook> m_installed;
    QThread *m_worker = nullptr;
    QPointer<QProgressDialog> m_progress;
    std::atomic<bool> m_cancel{false};
};

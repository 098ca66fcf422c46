// SPDX-License-Identifier: GPL-3.0-or-later
// A small tmpfs of the test's own, to meet a full disk for real rather than by a double.
#pragma once

#include <QString>
#include <QTemporaryDir>

class SmallFileSystem
{
public:
    // Mounts a tmpfs of the given size on a fresh folder; only root can, so isMounted() tells whether to skip.
    explicit SmallFileSystem(qint64 bytes = 1024 * 1024);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;

    bool isMounted() const { return m_mounted; }
    QString path() const { return m_folder.path(); }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    // Why a test that needs it is skipped.
    static QString skipReason();

    // Takes every free byte with one file, so the next write of any size fails with "No space left".
    bool fill();
    // Gives the space back.
    void unfill();

private:
    QTemporaryDir m_folder;
    bool m_mounted = false;
};

// SPDX-License-Identifier: GPL-3.0-or-later
// Single-instance lock on a QLockFile: a lock whose owner process is gone counts as stale.
#include "singleinstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &lockPath)
{
    QString path = lockPath;
    if (path.isEmpty()) {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (folder.isEmpty())
            folder = QDir::tempPath();
        path = QDir(folder).filePath(QStringLiteral("fenwyx.lock"));
    }
    m_lock = std::make_unique<QLockFile>(path);
    m_lock->setStaleLockTime(0); // only a dead owner makes the lock stale, never its age
}

bool SingleInstance::acquire()
{
    return m_lock->tryLock(0);
}

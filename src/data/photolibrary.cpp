// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the photo database and keeping the current photo set.
#include "photolibrary.h"

#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

PhotoLibrary::PhotoLibrary(QObject *parent) : QObject(parent), m_current(std::make_shared<PhotoSet>()), m_all(m_current)
{
    m_retry.setInterval(RetryIntervalMs);
    connect(&m_retry, &QTimer::timeout, this, &PhotoLibrary::retryOpen);
}

QString PhotoLibrary::databasePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Photo.mdb"));
}

QString PhotoLibrary::dataFolder(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("data"));
}

bool PhotoLibrary::OpenPhotoDatabase(const QString &programFolder, QString *error)
{
    QDir().mkpath(dataFolder(programFolder));
    m_path = databasePath(programFolder);
    return openFile(m_path, error);
}

bool PhotoLibrary::ReopenPhotoDatabase(QString *error)
{
    return openFile(m_path, error);
}

bool PhotoLibrary::openFile(const QString &path, QString *error)
{
    QString reason;
    std::optional<PhotoSet> photos;
    if (m_database.open(path, &reason))
        photos = m_database.selectPhotos({}, {}, &reason);
    if (!photos) {
        const bool locked = m_database.lockedOut();
        m_database.close();
        m_lastError = reason;
        m_all = std::make_shared<PhotoSet>();
        m_spread.reset();
        setCurrentPhotoSet(m_all);
        if (error)
            *error = reason;
        if (locked)
            m_retry.start();
        else
            m_retry.stop();
        return false;
    }
    m_retry.stop();
    m_lastError.clear();
    m_all = std::make_shared<PhotoSet>(std::move(*photos));
    m_spread.reset();
    setCurrentPhotoSet(m_all);
    return true;
}

const PhotoMatch::Spread &PhotoLibrary::matchSpread()
{
    if (!m_spread)
        m_spread = PhotoMatch::spreadOf(*m_all);
    return *m_spread;
}

void PhotoLibrary::retryOpen()
{
    const int wait = m_database.busyTimeout();
    m_database.setBusyTimeout(std::min(wait, int(RetryWaitMs)));
    openFile(m_path, nullptr);
    m_database.setBusyTimeout(wait);
    if (!m_retry.isActive())
        Q_EMIT retryFinished();
}

void PhotoLibrary::setCurrentPhotoSet(PhotoSetPtr photos)
{
    m_current = photos ? std::move(photos) : std::make_shared<PhotoSet>();
    Q_EMIT currentPhotoSetChanged();
}

bool writeSqliteCopy(const PhotoDatabase &source, const QString &targetPath, QString *error)
{
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    if (!source.isOpen())
        return fail(QStringLiteral("no database is open"));
    // A link stands for its file, which is replaced and the link kept, as with every file the program writes.
    const QString target = WholeFile::linkTarget(targetPath);
    const QFileInfo targetInfo(target);
    if (target.isEmpty() || (targetInfo.exists() && !targetInfo.isFile()))
        return fail(targetPath + QStringLiteral(": not a file that can be replaced"));
    const QString temporary = target + QStringLiteral(".part");
    QFile::remove(temporary);
    sqlite3 *copy = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(temporary).constData(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(copy));
        sqlite3_close_v2(copy);
        return fail(targetPath + QStringLiteral(": ") + reason);
    }
    sqlite3_backup *backup = sqlite3_backup_init(copy, "main", source.handle(), "main");
    int rc = SQLITE_ERROR;
    if (backup) {
        rc = sqlite3_backup_step(backup, -1);
        if (sqlite3_backup_finish(backup) != SQLITE_OK && rc == SQLITE_DONE)
            rc = SQLITE_ERROR;
    }
    const QString reason = QString::fromUtf8(sqlite3_errmsg(copy));
    if (sqlite3_close(copy) != SQLITE_OK && rc == SQLITE_DONE)
        rc = SQLITE_ERROR;
    if (rc != SQLITE_DONE) {
        QFile::remove(temporary);
        // A busy source waited as long as its busy timeout says; the target, new and private, is never busy.
        if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
            return fail(source.fileName() + QStringLiteral(": another program kept the database locked"));
        return fail(targetPath + QStringLiteral(": ") + reason);
    }
    // One rename replaces the old file, so it is never missing, and stays whole when the rename fails.
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporary);
        return fail(targetPath + QStringLiteral(": ") + why);
    }
    return true;
}

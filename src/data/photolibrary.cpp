// Opening the photo database and keeping the current photo set.
#include "photolibrary.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <sqlite3.h>

PhotoLibrary::PhotoLibrary(QObject *parent) : QObject(parent), m_current(std::make_shared<PhotoSet>()) {}

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
        m_database.close();
        m_lastError = reason;
        setCurrentPhotoSet(std::make_shared<PhotoSet>());
        if (error)
            *error = reason;
        return false;
    }
    m_lastError.clear();
    setCurrentPhotoSet(std::make_shared<PhotoSet>(std::move(*photos)));
    return true;
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
    const QString temporary = targetPath + QStringLiteral(".part");
    QFile::remove(temporary);
    sqlite3 *target = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(temporary).constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(target));
        sqlite3_close_v2(target);
        return fail(QStringLiteral("%1: %2").arg(targetPath, reason));
    }
    sqlite3_backup *backup = sqlite3_backup_init(target, "main", source.handle(), "main");
    int rc = SQLITE_ERROR;
    if (backup) {
        rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
    }
    const QString reason = QString::fromUtf8(sqlite3_errmsg(target));
    sqlite3_close_v2(target);
    if (rc != SQLITE_DONE) {
        QFile::remove(temporary);
        return fail(QStringLiteral("%1: %2").arg(targetPath, reason));
    }
    QFile::remove(targetPath);
    if (!QFile::rename(temporary, targetPath)) {
        QFile::remove(temporary);
        return fail(QStringLiteral("%1: cannot be written").arg(targetPath));
    }
    return true;
}

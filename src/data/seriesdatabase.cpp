// SPDX-License-Identifier: GPL-3.0-or-later
// The photo manager's databases: sources read-only, the program folder's replaced whole.
#include "seriesdatabase.h"

#include "data/accessimport.h"
#include "data/photodatabase.h"
#include "data/photolibrary.h"
#include "data/seriesfiles.h"
#include "data/sqlitestatement.h"
#include "platform/failtext.h"
#include "platform/wholefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

QString quoted(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString missingColumn(sqlite3 *db, const QString &table, const QStringList &required)
{
    QSet<QString> present;
    for (const auto &column : DatabaseUpdate::columnsOf(db, table))
        present.insert(column.first.toLower());
    if (present.isEmpty())
        return QStringLiteral("it has no %1 table").arg(table);
    for (const QString &column : required) {
        if (!present.contains(column.toLower()))
            return QStringLiteral("its %1 table has no column %2").arg(table, column);
    }
    return {};
}

sqlite3 *openFile(const QString &path, int flags, QString *error)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr) != SQLITE_OK) {
        fail(error, db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory"));
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, PhotoDatabase::DefaultBusyTimeoutMs);
    return db;
}

bool exec(sqlite3 *db, const QString &sql, QString *error)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        fail(error, QString::fromUtf8(message ? message : sqlite3_errmsg(db)));
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool syncFile(const QString &path, mode_t mode, bool setMode, QString *error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(error, path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)));
    if (setMode)
        ::fchmod(fd, mode & 07777);
    const bool synced = ::fsync(fd) == 0;
    const int syncError = errno;
    ::close(fd);
    if (!synced)
        return fail(error, path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(syncError)));
    return true;
}

} // namespace

SeriesDatabase::~SeriesDatabase()
{
    sqlite3_close_v2(m_db);
}

QString SeriesDatabase::problemsOf(sqlite3 *db)
{
    SqliteStatement check(db, QStringLiteral("PRAGMA quick_check(1)"));
    if (!check.step())
        return check.error().isEmpty() ? QStringLiteral("it cannot be checked") : check.error();
    if (check.text(0) != QLatin1String("ok"))
        return QStringLiteral("it is damaged (%1)").arg(check.text(0).left(200));
    QString problem = missingColumn(db, QStringLiteral("Photos"), PhotoDatabase::requiredPhotoColumns());
    if (problem.isEmpty())
        problem = missingColumn(db, QStringLiteral("Books"), PhotoDatabase::requiredBookColumns());
    return problem;
}

bool SeriesDatabase::open(const QString &path, const QString &workFolder, QString *error)
{
    QString sqlitePath = path;
    switch (PhotoDatabase::detect(path)) {
    case PhotoDatabase::FileKind::Missing:
        return fail(error, QStringLiteral("%1: file not found or not readable").arg(path));
    case PhotoDatabase::FileKind::Unknown:
        return fail(error, QStringLiteral("%1: not a photo database (neither Access nor SQLite)").arg(path));
    case PhotoDatabase::FileKind::Access:
        sqlitePath = QDir(workFolder).filePath(QStringLiteral("source.sqlite"));
        QFile::remove(sqlitePath);
        if (!AccessImport::convertInChildProcess(path, sqlitePath, error))
            return false;
        m_access = true;
        break;
    case PhotoDatabase::FileKind::Sqlite:
        break;
    }
    QString reason;
    m_db = openFile(sqlitePath, SQLITE_OPEN_READONLY, &reason);
    if (!m_db)
        return fail(error, QStringLiteral("%1: %2").arg(path, reason));
    const QString problem = SeriesDatabase::problemsOf(m_db);
    if (!problem.isEmpty())
        return fail(error, QStringLiteral("%1: %2").arg(path, problem));
    return true;
}

DatabaseUpdate::DatabaseUpdate(QString programFolder) : m_programFolder(std::move(programFolder)) {}

DatabaseUpdate::~DatabaseUpdate()
{
    if (!m_replaced)
        abandon();
}

void DatabaseUpdate::abandon()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    if (!m_work.isEmpty())
        QFile::remove(m_work);
}

const char *DatabaseUpdate::schema()
{
    return "CREATE TABLE Books(id INTEGER PRIMARY KEY, BookLabel TEXT, BookDescription TEXT, "
           "BreakInches4 REAL, BreakInches5 REAL, BreakInches6 REAL);"
           "CREATE TABLE Photos(ID INTEGER PRIMARY KEY, BookLabel TEXT, PhotoLabel TEXT, "
           "GroupLabel TEXT, TonsPerAcreBreak1 REAL, TonsPerAcreBreak2 REAL, TonsPerAcreBreak3 REAL, "
           "TonsPerAcreBreak4 REAL, TonsPerAcreBreak5 REAL, TonsPerAcreBreak6 REAL, "
           "TonsPerAcreBreak7 REAL, Oto3FL REAL, TotalFL REAL, AverageDuffDepth REAL, "
           "AverageFuelbedDepth REAL, VegType TEXT, Activity TEXT, FireBehaveFM TEXT, "
           "DangerRatingFM TEXT, PhotoPic TEXT, DataPic TEXT);";
}

QList<QPair<QString, QString>> DatabaseUpdate::columnsOf(sqlite3 *db, const QString &table)
{
    QList<QPair<QString, QString>> columns;
    SqliteStatement info(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?1)"));
    if (info.bind({table})) {
        while (info.step())
            columns.append({info.text(0), info.text(1)});
    }
    return columns;
}

bool DatabaseUpdate::addMissingColumns(sqlite3 *db, const QString &table,
                                       const QList<QPair<QString, QString>> &sourceColumns, QString *error)
{
    QSet<QString> present;
    for (const auto &column : columnsOf(db, table))
        present.insert(column.first.toLower());
    for (const auto &[name, type] : sourceColumns) {
        if (present.contains(name.toLower()))
            continue;
        // Columns the program does not read are kept all the same: the series is installed as it came.
        QString definition = quoted(name);
        if (!type.trimmed().isEmpty() && !type.contains(QLatin1Char('"')) && !type.contains(QLatin1Char(';')))
            definition += QLatin1Char(' ') + type;
        if (!exec(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(quoted(table), definition), error))
            return false;
        present.insert(name.toLower());
    }
    return true;
}

bool DatabaseUpdate::begin(QString *error)
{
    int linkError = 0;
    m_target = WholeFile::linkTarget(PhotoLibrary::databasePath(m_programFolder), &linkError);
    if (m_target.isEmpty())
        return fail(error, PhotoLibrary::databasePath(m_programFolder) + QStringLiteral(": too many links"));
    m_work = SeriesFiles::siblingName(m_target, QStringLiteral("new"));
    QString reason;
    const auto refuse = [&](const QString &why) {
        abandon();
        return fail(error, QStringLiteral("%1: %2; nothing was changed").arg(m_target, why));
    };
    switch (PhotoDatabase::detect(m_target)) {
    case PhotoDatabase::FileKind::Missing:
        if (QFileInfo::exists(m_target))
            return refuse(QStringLiteral("cannot be read"));
        m_db = openFile(m_work, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, &reason);
        if (!m_db || !exec(m_db, QString::fromLatin1(schema()), &reason))
            return refuse(reason);
        break;
    case PhotoDatabase::FileKind::Unknown:
        return refuse(QStringLiteral("not a photo database (neither Access nor SQLite); move it away first"));
    case PhotoDatabase::FileKind::Access:
        // The converted file is the new database; the Access original is kept as the backup.
        if (!AccessImport::convertInChildProcess(m_target, m_work, &reason))
            return refuse(reason);
        m_convertsAccess = true;
        m_db = openFile(m_work, SQLITE_OPEN_READWRITE, &reason);
        if (!m_db)
            return refuse(reason);
        break;
    case PhotoDatabase::FileKind::Sqlite: {
        sqlite3 *old = openFile(m_target, SQLITE_OPEN_READONLY, &reason);
        if (!old)
            return refuse(reason);
        const QString problem = SeriesDatabase::problemsOf(old);
        if (!problem.isEmpty()) {
            sqlite3_close_v2(old);
            return refuse(problem);
        }
        m_db = openFile(m_work, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, &reason);
        int rc = SQLITE_ERROR;
        if (m_db) {
            // The backup interface copies a consistent state, whatever journal the old file uses.
            sqlite3_backup *backup = sqlite3_backup_init(m_db, "main", old, "main");
            if (backup) {
                rc = sqlite3_backup_step(backup, -1);
                if (sqlite3_backup_finish(backup) != SQLITE_OK && rc == SQLITE_DONE)
                    rc = SQLITE_ERROR;
            }
            if (rc != SQLITE_DONE)
                reason = QString::fromUtf8(sqlite3_errmsg(m_db));
        }
        sqlite3_close_v2(old);
        if (rc != SQLITE_DONE)
            return refuse(reason);
        break;
    }
    }
    // The work file is thrown away on any failure, so it needs no journal; it is flushed once, at the end.
    if (!exec(m_db, QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF"), &reason))
        return refuse(reason);
    const QString problem = SeriesDatabase::problemsOf(m_db);
    if (!problem.isEmpty())
        return refuse(problem);
    return true;
}

bool DatabaseUpdate::finish(QString *error)
{
    QString reason;
    const QString problem = SeriesDatabase::problemsOf(m_db);
    if (!problem.isEmpty()) {
        abandon();
        return fail(error, QStringLiteral("the new database failed its check (%1); nothing was changed").arg(problem));
    }
    const int closed = sqlite3_close(m_db);
    m_db = nullptr;
    if (closed != SQLITE_OK) {
        abandon();
        return fail(error, QStringLiteral("the new database could not be closed; nothing was changed"));
    }
    struct stat old = {};
    const bool exists = ::stat(QFile::encodeName(m_target).constData(), &old) == 0;
    // A full disk shows up here at the latest, while the old database is still in place.
    if (!syncFile(m_work, exists ? old.st_mode : 0, exists, &reason)) {
        abandon();
        return fail(error, reason + QStringLiteral("; nothing was changed"));
    }
    return true;
}

bool DatabaseUpdate::replace(QString *error)
{
    QString backupMade;
    if (m_convertsAccess) {
        m_backup = m_target + QStringLiteral(".bak");
        if (QFileInfo::exists(m_backup) || QFileInfo(m_backup).isSymLink())
            m_backup = m_target + QLatin1Char('.') +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss")) +
                       QStringLiteral(".bak");
        // A second name for the original, so that it is never missing, not even for a moment.
        if (::link(QFile::encodeName(m_target).constData(), QFile::encodeName(m_backup).constData()) != 0 &&
            !QFile::copy(m_target, m_backup))
            return fail(error, QStringLiteral("%1: the Access original cannot be kept as %2; nothing was changed")
                                   .arg(m_target, m_backup));
        backupMade = m_backup;
    }
    QString reason;
    if (!SeriesFiles::renamePath(m_work, m_target, &reason)) {
        if (!backupMade.isEmpty())
            QFile::remove(backupMade);
        m_backup.clear();
        return fail(error, reason + QStringLiteral("; nothing was changed"));
    }
    m_replaced = true;
    SeriesFiles::syncFolder(QFileInfo(m_target).path());
    return true;
}

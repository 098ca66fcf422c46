// SPDX-License-Identifier: GPL-3.0-or-later
// Paths of test data and built programs.
#include "testsupport.h"

#include <QDir>
#include <QRegularExpression>

namespace TestSupport
{
QString dataPath(const QString &relative)
{
    return QDir(QStringLiteral(FENWYX_TEST_DATA)).filePath(relative);
}

QString binPath(const QString &program)
{
    return QDir(QStringLiteral(FENWYX_BIN_DIR)).filePath(program);
}

QString plainCaption(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}
} // namespace TestSupport

#include <QFile>
#include <sqlite3.h>

namespace TestSupport
{
bool makeSqlite(const QString &path, const QStringList &statements)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    bool ok = true;
    for (const QString &sql : statements) {
        char *message = nullptr;
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            qWarning("%s: %s", qPrintable(sql), message);
            sqlite3_free(message);
            ok = false;
            break;
        }
    }
    sqlite3_close(db);
    return ok;
}

QStringList photoSchema()
{
    return {QStringLiteral("CREATE TABLE Books (id INTEGER PRIMARY KEY, BookLabel TEXT, BookDescription TEXT, "
                           "BreakInches4 REAL, BreakInches5 REAL, BreakInches6 REAL)"),
            QStringLiteral("CREATE TABLE Photos (ID INTEGER PRIMARY KEY, BookLabel TEXT, PhotoLabel TEXT, "
                           "GroupLabel TEXT, TonsPerAcreBreak1 REAL, TonsPerAcreBreak2 REAL, TonsPerAcreBreak3 REAL, "
                           "TonsPerAcreBreak4 REAL, TonsPerAcreBreak5 REAL, TonsPerAcreBreak6 REAL, "
                           "TonsPerAcreBreak7 REAL, Oto3FL REAL, TotalFL REAL, AverageDuffDepth REAL, "
                           "AverageFuelbedDepth REAL, VegType TEXT, Activity TEXT, FireBehaveFM TEXT, "
                           "DangerRatingFM TEXT, PhotoPic TEXT, DataPic TEXT)")};
}
} // namespace TestSupport

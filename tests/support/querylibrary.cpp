// SPDX-License-Identifier: GPL-3.0-or-later
// Photo libraries for the query tests.
#include "querylibrary.h"

#include "files.h"
#include "testsupport.h"

#include <QDir>

namespace QueryLibrary
{

bool write(const QString &folder, const QStringList &photoRows, const QStringList &bookRows)
{
    QStringList sql{
        QStringLiteral("CREATE TABLE Books (id INTEGER, BookLabel TEXT, BookDescription TEXT, BreakInches4 REAL,"
                       " BreakInches5 REAL, BreakInches6 REAL)"),
        QStringLiteral("CREATE TABLE Photos (ID INTEGER, BookLabel TEXT, PhotoLabel TEXT DEFAULT '1', GroupLabel TEXT,"
                       " TonsPerAcreBreak1 REAL, TonsPerAcreBreak2 REAL DEFAULT 0, TonsPerAcreBreak3 REAL DEFAULT 0,"
                       " TonsPerAcreBreak4 REAL, TonsPerAcreBreak5 REAL DEFAULT 0, TonsPerAcreBreak6 REAL DEFAULT 0,"
                       " TonsPerAcreBreak7 REAL DEFAULT 0, Oto3FL REAL, TotalFL REAL, AverageDuffDepth REAL,"
                       " AverageFuelbedDepth REAL, VegType TEXT, Activity TEXT, FireBehaveFM TEXT, DangerRatingFM TEXT,"
                       " PhotoPic TEXT DEFAULT 'photo.jpg', DataPic TEXT DEFAULT 'data.jpg')")};
    for (const QString &row : bookRows)
        sql << QStringLiteral("INSERT INTO Books (id, BookLabel, BookDescription) VALUES (%1)").arg(row);
    for (const QString &row : photoRows)
        sql << QStringLiteral("INSERT INTO Photos (ID, BookLabel, TonsPerAcreBreak1, TonsPerAcreBreak4, TotalFL,"
                              " VegType, Activity, FireBehaveFM, DangerRatingFM) VALUES (%1)")
                   .arg(row);
    return TestSupport::makeSqlite(QDir(folder).filePath(QStringLiteral("Photo.mdb")), sql);
}

bool writeFile(const QString &folder, const QString &name, const QByteArray &bytes)
{
    return TestSupport::writeBytes(QDir(folder).filePath(name), bytes);
}

} // namespace QueryLibrary

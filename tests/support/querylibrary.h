// SPDX-License-Identifier: GPL-3.0-or-later
// A small photo library for the query tests: Photo.mdb in SQLite form from a few SQL value rows.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace QueryLibrary
{
// Writes folder/Photo.mdb. The tables have no key, so rows keep the order they are given in. A photo row
// gives ID, BookLabel, TonsPerAcreBreak1, TonsPerAcreBreak4, TotalFL, VegType, Activity, FireBehaveFM and
// DangerRatingFM (classes 2, 3, 5 to 7 are 0, PhotoLabel "1", the other columns null); a book row gives id,
// BookLabel and BookDescription.
bool write(const QString &folder, const QStringList &photoRows, const QStringList &bookRows = {});
// Writes folder/name with exactly these bytes (code files).
bool writeFile(const QString &folder, const QString &name, const QByteArray &bytes);
} // namespace QueryLibrary

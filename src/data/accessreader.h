// SPDX-License-Identifier: GPL-3.0-or-later
// Copies the Photos and Books tables of an Access file (Jet 3, Jet 4, ACE) into a new SQLite file with libmdb.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace AccessReader
{

// Writes Photos (required) and Books (when the file has it) with every column and row into a new SQLite file,
// which replaces sqlitePath only once complete. Runs libmdb in this process, so a hostile file can crash it:
// the program calls this through fenwyx-mdbread (AccessImport), never directly.
bool convertToSqlite(const QString &mdbPath, const QString &sqlitePath, QString *error = nullptr);

// Text as Jet 4 and later store it: UCS-2 little-endian, or the compressed form that starts with FF FE.
QString decodeUnicodeText(QByteArrayView bytes);
// Text as Jet 3 stores it: bytes in the file's Windows code page; a page iconv does not know reads as 1252.
QString decodeCodePageText(QByteArrayView bytes, int codePage);

} // namespace AccessReader

// SPDX-License-Identifier: GPL-3.0-or-later
// An exclusive lock on an SQLite file, held by its own connection.
#include "databaselock.h"

#include <QFile>
#include <chrono>
#include <sqlite3.h>

namespace TestSupport
{

DatabaseLock::DatabaseLock(const QString &path)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_exec(m_db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        qWarning("cannot lock %s: %s", qPrintable(path), m_db ? sqlite3_errmsg(m_db) : "out of memory");
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

DatabaseLock::~DatabaseLock()
{
    if (m_releaser.joinable())
        m_releaser.join();
    release();
}

void DatabaseLock::release()
{
    if (m_releaser.joinable())
        return; // the thread lets go
    if (m_db) {
        sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void DatabaseLock::releaseAfter(int milliseconds)
{
    if (!m_db || m_releaser.joinable())
        return;
    sqlite3 *db = m_db;
    m_releaser = std::thread([db, milliseconds] {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
}

} // namespace TestSupport

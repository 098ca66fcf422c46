// SPDX-License-Identifier: GPL-3.0-or-later
// Another program writing an SQLite file, as a reader sees it: an exclusive lock held for a while.
#pragma once

#include <QString>
#include <thread>

struct sqlite3;

namespace TestSupport
{
// Takes an exclusive lock on the file at once (in rollback-journal mode no reader gets in) and holds it until
// release(), releaseAfter() or the end of the object.
class DatabaseLock
{
public:
    explicit DatabaseLock(const QString &path);
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock &) = delete;
    DatabaseLock &operator=(const DatabaseLock &) = delete;

    bool isHeld() const { return m_db != nullptr; }
    void release();
    // Lets go from a thread of its own, so that the test may meanwhile wait for a reader that waits for it.
    void releaseAfter(int milliseconds);

private:
    sqlite3 *m_db = nullptr;
    std::thread m_releaser;
};
} // namespace TestSupport

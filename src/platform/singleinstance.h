// SPDX-License-Identifier: GPL-3.0-or-later
// Refuses a second copy of the program for the same user; a crashed copy leaves no lock behind.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

class SingleInstance
{
public:
    // lockPath empty: a per-user lock file in the runtime folder
    explicit SingleInstance(const QString &lockPath = {});
    // True when this is the only running copy (the lock is then held until destruction).
    bool acquire();

private:
    std::unique_ptr<QLockFile> m_lock;
};

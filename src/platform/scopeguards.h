// SPDX-License-Identifier: GPL-3.0-or-later
// Scope guards shared by the windows: a busy flag and the wait pointer, undone on every path out.
#pragma once

#include <QGuiApplication>

// Sets a flag for the length of a scope, so that no path can leave it set.
class BusyFlag
{
public:
    explicit BusyFlag(bool &flag) : m_flag(flag) { m_flag = true; }
    ~BusyFlag() { m_flag = false; }
    BusyFlag(const BusyFlag &) = delete;
    BusyFlag &operator=(const BusyFlag &) = delete;

private:
    bool &m_flag;
};

// The hourglass for the length of a scope.
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

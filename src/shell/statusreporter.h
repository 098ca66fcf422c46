// SPDX-License-Identifier: GPL-3.0-or-later
// The status line: every progress message, count and refused command goes through ShowStatus.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

enum StatusKind { StatusInfo = 0, StatusError = 1, StatusClear = 2, StatusCount = 3 };

class StatusReporter : public QObject
{
    Q_OBJECT
public:
    enum class Icon { None, InfoOK, Error };

    explicit StatusReporter(QObject *parent = nullptr) : QObject(parent) {}

    // Safe at any time, with or without a window showing it.
    void ShowStatus(int kind, const QString &text);

    QString message() const { return m_message; } // panel 2
    QString count() const { return m_count; }     // panel 4
    Icon icon() const { return m_icon; }          // panel 1

    // Sounds the system beep for errors; the window layer installs it.
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

Q_SIGNALS:
    void changed();

private:
    QString m_message;
    QString m_count;
    Icon m_icon = Icon::None;
    std::function<void()> m_beep;
};

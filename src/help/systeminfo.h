// SPDX-License-Identifier: GPL-3.0-or-later
// The About box's System Info button: the desktop's system-information program, found on the search path.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class DesktopServices;
class Dialogs;

struct SystemInfoTool {
    QString program;
    QStringList arguments;
};

// Well-known system-information programs of the Linux desktops, the most complete first.
const std::vector<SystemInfoTool> &systemInfoTools();

// Starts the first of the tools that is on the search path and starts; when none does, shows
// "System Information Is Unavailable At This Time" with an OK button. True when a tool was started.
bool StartSysInfo(DesktopServices &desktop, Dialogs &dialogs,
                  const std::vector<SystemInfoTool> &tools = systemInfoTools());

// SPDX-License-Identifier: GPL-3.0-or-later
// Finding and starting the system-information program.
#include "systeminfo.h"

#include "platform/desktopservices.h"
#include "platform/dialogs.h"
#include "shell/programinfo.h"

const std::vector<SystemInfoTool> &systemInfoTools()
{
    static const std::vector<SystemInfoTool> tools = {
        {QStringLiteral("hardinfo"), {}},
        {QStringLiteral("kinfocenter"), {}},
        {QStringLiteral("gnome-control-center"), {QStringLiteral("info-overview")}},
        {QStringLiteral("cpu-x"), {}},
        {QStringLiteral("xfce4-about"), {}},
    };
    return tools;
}

bool StartSysInfo(DesktopServices &desktop, Dialogs &dialogs, const std::vector<SystemInfoTool> &tools)
{
    for (const SystemInfoTool &tool : tools) {
        const QString path = desktop.findExecutable(tool.program);
        if (!path.isEmpty() && desktop.startDetached(path, tool.arguments))
            return true;
    }
    dialogs.message(QStringLiteral("System Information Is Unavailable At This Time"), ProgramInfo::title(),
                    MessageButtons::Ok, MessageIcon::None);
    return false;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu's commands: the help window, the support page and the About box.
#pragma once

#include <QString>

class HelpCommands
{
public:
    virtual ~HelpCommands() = default;
    virtual void helpContents() = 0;
    virtual void webSupport() = 0;
    virtual void about() = 0;
    // The help at one page of the manual ("photoseries.html"); the contents where there is no such page.
    virtual void helpTopic(const QString &) { helpContents(); }
};

// The Help menu's commands: the help window, the support page and the About box.
#pragma once

class HelpCommands
{
public:
    virtual ~HelpCommands() = default;
    virtual void helpContents() = 0;
    virtual void webSupport() = 0;
    virtual void about() = 0;
};

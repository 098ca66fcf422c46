// SPDX-License-Identifier: GPL-3.0-or-later
// The program's real boxes: the platform's message boxes and file choosers, and the photo-drive warning.
#pragma once

#include "platform/ui/qtdialogs.h"

class WindowDialogs : public QtDialogs
{
public:
    int askPhotoDrive(const QString &photoDirectory) override;
};

// SPDX-License-Identifier: GPL-3.0-or-later
// The photo-drive warning as the program's own window.
#include "windowdialogs.h"

#include "shell/ui/frmdefaultwarn.h"

int WindowDialogs::askPhotoDrive(const QString &photoDirectory)
{
    return frmDefaultWarn::ask(photoDirectory, parentWindow());
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The program's title, release and legal notice, shared by the splash window and the printed reports.
#pragma once

#include <QString>

namespace ProgramInfo
{
inline QString title()
{
    return QStringLiteral("Fenwyx");
}
inline QString version()
{
    return QStringLiteral(FENWYX_VERSION);
}
inline QString legalNotice()
{
    return QStringLiteral("Copyright \u00A9 The Fenwyx developers. Free software under the GNU General Public "
                          "License, version 3 or later.");
}
// What "PROGRAM --version" prints: the name and release on the first line, as other tools read it, then the licence.
inline QString versionText(const QString &program)
{
    return program + QLatin1Char(' ') + version() +
           QStringLiteral(
               "\nCopyright (C) The Fenwyx developers.\n"
               "License GPL-3.0-or-later: GNU GPL version 3 or later <https://www.gnu.org/licenses/gpl.html>.\n"
               "This is free software: you are free to change and redistribute it.\n"
               "There is NO WARRANTY, to the extent permitted by law.\n");
}
} // namespace ProgramInfo

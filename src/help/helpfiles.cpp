// SPDX-License-Identifier: GPL-3.0-or-later
// Paths of the help files.
#include "helpfiles.h"

#include <QDir>

namespace HelpFiles
{
QString folder(const QString &programFolder)
{
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral("help")));
}

QString entryPage(const QString &programFolder)
{
    return QDir(folder(programFolder)).filePath(entryPageName());
}
} // namespace HelpFiles

// SPDX-License-Identifier: GPL-3.0-or-later
// Where the help lives: the help folder under the program folder and its entry page.
#pragma once

#include <QString>

namespace HelpFiles
{
// The entry page keeps the family's help name, with the format's extension.
inline QString entryPageName()
{
    return QStringLiteral("FenwyxHelp.html");
}

QString folder(const QString &programFolder);    // <program folder>/help
QString entryPage(const QString &programFolder); // <program folder>/help/FenwyxHelp.html
} // namespace HelpFiles

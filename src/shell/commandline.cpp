// SPDX-License-Identifier: GPL-3.0-or-later
// Command-line arguments with "?" for a blank.
#include "commandline.h"

QStringList GetCommandLine(const QStringList &arguments, int maximumCount)
{
    QStringList result{QString()};
    for (const QString &argument : arguments) {
        if (argument.isEmpty())
            continue;
        if (result.size() - 1 >= maximumCount)
            break;
        QString text = argument;
        text.replace(QLatin1Char('?'), QLatin1Char(' '));
        result.append(text);
    }
    return result;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads and writes for tests.
#include "files.h"

#include <QFile>
#include <QtGlobal>

namespace TestSupport
{

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        qWarning("cannot write %s: %s", qPrintable(path), qPrintable(f.errorString()));
        return false;
    }
    return true;
}

} // namespace TestSupport

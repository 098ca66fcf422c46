// SPDX-License-Identifier: GPL-3.0-or-later
// RFC 4180 CSV in UTF-8, written into one buffer.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Csv
{
// Appends one field (quoted when it holds a comma, a quote or a line break).
void appendField(QByteArray &out, const QString &field);
void appendRow(QByteArray &out, const QStringList &fields);
} // namespace Csv

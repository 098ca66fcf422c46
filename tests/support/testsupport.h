// SPDX-License-Identifier: GPL-3.0-or-later
// Shared helpers of the tests: paths of test data and of the built programs.
#pragma once

#include <QString>

namespace TestSupport
{
QString dataPath(const QString &relative); // tests/data/<relative>
QString binPath(const QString &program);   // the build's program folder
// A caption as read: without the "&" that marks its access key.
QString plainCaption(QString text);
} // namespace TestSupport

#include <QStringList>

namespace TestSupport
{
// Creates an SQLite file and runs the statements in it; false (with a warning) on any failure.
bool makeSqlite(const QString &path, const QStringList &statements);
// The Photos and Books tables as the program expects them, without rows.
QStringList photoSchema();
} // namespace TestSupport

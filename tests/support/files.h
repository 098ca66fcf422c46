// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads and writes for tests that check files byte for byte.
#pragma once

#include <QByteArray>
#include <QString>

namespace TestSupport
{
// The file's bytes, or empty when it cannot be read.
QByteArray fileBytes(const QString &path);
// Creates or replaces the file with exactly these bytes; false (with a warning) on any failure.
bool writeBytes(const QString &path, const QByteArray &bytes);
} // namespace TestSupport

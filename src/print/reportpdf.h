// SPDX-License-Identifier: GPL-3.0-or-later
// Reports as PDF files: portrait on the paper given, the printable area a quarter inch in from the edges.
#pragma once

#include "print/reportpage.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>

class QIODevice;

namespace ReportPdf
{

// Layout position (x, y) lies at (x + 0.25, y + 0.25) inches on the page, whatever its size.
QPageLayout pageLayout(const QPageSize &paper);

// Writes every page of the report with its fonts embedded. The file appears only once it is complete; an
// existing file is replaced then, or left as it was on failure. Folders and devices are refused.
bool write(const Report &report, const QString &path, const QPageSize &paper, QString *error = nullptr);
// The same onto an open device.
bool write(const Report &report, QIODevice *device, const QPageSize &paper, QString *error = nullptr);

} // namespace ReportPdf

// Report pages as PDF files: US Letter portrait, the printable area a quarter inch in from the edges.
#pragma once

#include "print/reportpage.h"

#include <QPageLayout>
#include <QString>

class QIODevice;

namespace ReportPdf
{

// Layout position (x, y) lies at (x + 0.25, y + 0.25) inches on the page.
QPageLayout pageLayout();

// Writes the page as a one-page PDF with its fonts embedded. The file appears only once it is complete;
// an existing file is replaced then, or left as it was on failure. Folders and devices are refused.
bool write(const ReportPage &page, const QString &path, QString *error = nullptr);
// The same onto an open device.
bool write(const ReportPage &page, QIODevice *device, QString *error = nullptr);

} // namespace ReportPdf

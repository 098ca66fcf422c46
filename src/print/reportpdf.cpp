// SPDX-License-Identifier: GPL-3.0-or-later
// PDF files of reports through QPdfWriter, written whole or not at all.
#include "reportpdf.h"

#include "platform/wholefile.h"
#include "print/reportpainter.h"
#include "shell/programinfo.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace ReportPdf
{

QPageLayout pageLayout(const QPageSize &paper)
{
    return QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
}

bool write(const Report &report, QIODevice *device, const QPageSize &paper, QString *error)
{
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    QPdfWriter writer(device);
    writer.setPageLayout(pageLayout(paper));
    writer.setResolution(1200);
    writer.setCreator(ProgramInfo::title() + QLatin1Char(' ') + ProgramInfo::version());
    writer.setTitle(report.title);
    QPainter painter;
    if (!painter.begin(&writer))
        return fail(QStringLiteral("cannot start the PDF"));
    const bool drawn = ReportPainter::paint(painter, writer, report);
    if (!painter.end() || !drawn)
        return fail(QStringLiteral("cannot draw the page"));
    return true;
}

bool write(const Report &report, const QString &path, const QPageSize &paper, QString *error)
{
    auto fail = [error, &path](const QString &reason) {
        if (error)
            *error = QStringLiteral("cannot write ") + path + QStringLiteral(": ") + reason;
        return false;
    };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("not a file"));
    // Made in memory and written whole, so a full disk never leaves a cut PDF behind.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QString reason;
    if (!write(report, &pdf, paper, &reason))
        return fail(reason);
    WholeFile::Failure failure;
    if (!WholeFile::write(path, pdf.data(), {}, &failure))
        return fail(failure.description);
    return true;
}

} // namespace ReportPdf

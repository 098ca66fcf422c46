// PDF files of report pages through QPdfWriter, written whole or not at all.
#include "reportpdf.h"

#include "print/reportpainter.h"
#include "shell/programinfo.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace ReportPdf
{

QPageLayout pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0.25, 0.25, 0.25, 0.25),
                       QPageLayout::Inch);
}

bool write(const ReportPage &page, QIODevice *device, QString *error)
{
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    QPdfWriter writer(device);
    writer.setPageLayout(pageLayout());
    writer.setResolution(1200);
    writer.setCreator(ProgramInfo::title() + QLatin1Char(' ') + ProgramInfo::version());
    writer.setTitle(page.title);
    QPainter painter;
    if (!painter.begin(&writer))
        return fail(QStringLiteral("cannot start the PDF"));
    const bool drawn = ReportPainter::paint(painter, page);
    if (!painter.end() || !drawn)
        return fail(QStringLiteral("cannot draw the page"));
    return true;
}

bool write(const ReportPage &page, const QString &path, QString *error)
{
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("%1 is not a file").arg(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    QString reason;
    if (!write(page, &file, &reason)) {
        file.cancelWriting();
        return fail(QStringLiteral("cannot write %1: %2").arg(path, reason));
    }
    if (!file.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

} // namespace ReportPdf

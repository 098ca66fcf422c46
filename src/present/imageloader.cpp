// SPDX-License-Identifier: GPL-3.0-or-later
// Picture decoding through QImageReader with a size guard.
#include "imageloader.h"

#include <QFileInfo>
#include <QImageReader>

namespace ImageLoader
{

void raiseAllocationLimit()
{
    static const bool raised = [] {
        const int current = QImageReader::allocationLimit();
        if (current > 0 && current < kAllocationLimitMiB)
            QImageReader::setAllocationLimit(kAllocationLimitMiB);
        return true;
    }();
    Q_UNUSED(raised);
}

std::optional<QImage> load(const QString &path, const QSize &target, bool keepAspect, QString *error, QSize *fullSize)
{
    auto fail = [error](const QString &reason) -> std::optional<QImage> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    // A FIFO or a device would block the reader or never end; only a file is read as a picture.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("it is no file"));
    raiseAllocationLimit();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        switch (reader.error()) {
        case QImageReader::FileNotFoundError:
            return fail(QStringLiteral("the file cannot be opened"));
        case QImageReader::DeviceError:
            return fail(QStringLiteral("the file cannot be read"));
        default:
            return fail(QStringLiteral("it is no picture in a format the program reads"));
        }
    }
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return fail(QStringLiteral("the picture is damaged (its size cannot be read)"));
    if (qint64(stored.width()) * stored.height() > kMaxPixels)
        return fail(QStringLiteral("the picture is too large (%1 x %2)").arg(stored.width()).arg(stored.height()));
    // The orientation tag may turn the picture; scale what will be shown, not what is stored.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize shown = turned ? stored.transposed() : stored;
    if (fullSize)
        *fullSize = shown;
    if (target.isValid() && !target.isEmpty() && (shown.width() > target.width() || shown.height() > target.height())) {
        QSize scaled = keepAspect ? shown.scaled(target, Qt::KeepAspectRatio) : target;
        scaled = scaled.expandedTo(QSize(1, 1));
        reader.setScaledSize(turned ? scaled.transposed() : scaled);
    }
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return fail(QStringLiteral("the picture is damaged (its data cannot be decoded)"));
    return image;
}

} // namespace ImageLoader

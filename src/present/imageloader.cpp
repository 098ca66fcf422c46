// Picture decoding through QImageReader with a size guard.
#include "imageloader.h"

#include <QImageReader>

namespace ImageLoader
{

std::optional<QImage> load(const QString &path, const QSize &target, bool keepAspect, QString *error)
{
    auto fail = [error](const QString &reason) -> std::optional<QImage> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return fail(reader.canRead() ? QStringLiteral("the picture has no size") : reader.errorString());
    if (qint64(stored.width()) * stored.height() > kMaxPixels)
        return fail(QStringLiteral("the picture is too large (%1 x %2)").arg(stored.width()).arg(stored.height()));
    // The orientation tag may turn the picture; scale what will be shown, not what is stored.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize shown = turned ? stored.transposed() : stored;
    if (target.isValid() && !target.isEmpty() && (shown.width() > target.width() || shown.height() > target.height())) {
        QSize scaled = keepAspect ? shown.scaled(target, Qt::KeepAspectRatio) : target;
        scaled = scaled.expandedTo(QSize(1, 1));
        reader.setScaledSize(turned ? scaled.transposed() : scaled);
    }
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return fail(reader.errorString());
    return image;
}

} // namespace ImageLoader

// Decoding picture files safely: at the size they are shown, in the camera's orientation, within a size limit.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace ImageLoader
{

// Larger pictures are refused instead of exhausting memory.
constexpr qint64 kMaxPixels = 100'000'000;

// Decodes path scaled to fit into target (keeping its proportions when keepAspect, else stretched to it);
// an empty target decodes at full size. A file that is no image, is truncated or too large gives nullopt
// and a reason.
std::optional<QImage> load(const QString &path, const QSize &target, bool keepAspect, QString *error = nullptr);

} // namespace ImageLoader

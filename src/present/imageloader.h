// SPDX-License-Identifier: GPL-3.0-or-later
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

// The image library's own limit on one decoded picture (128 MiB by default, less than a 36-megapixel photo
// at full size) raised to what kMaxPixels allows at four bytes a pixel, so that the rule above is the guard.
constexpr int kAllocationLimitMiB = int((kMaxPixels * 4 + (qint64(1) << 20) - 1) >> 20);

// Raises the library's limit, which is one for the whole process, to kAllocationLimitMiB (never lowers it).
// load() does it itself; code that starts decoding threads calls it first, so that none reads the limit
// while it changes.
void raiseAllocationLimit();

// Decodes path scaled to fit into target (keeping its proportions when keepAspect, else stretched to it);
// an empty target decodes at full size. A file that is no image, is truncated or too large gives nullopt
// and a reason. fullSize, when given, receives the picture's size at 100% (as shown, after turning).
std::optional<QImage> load(const QString &path, const QSize &target, bool keepAspect, QString *error = nullptr,
                           QSize *fullSize = nullptr);

} // namespace ImageLoader

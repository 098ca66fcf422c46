// SPDX-License-Identifier: GPL-3.0-or-later
// Large test pictures with a field photo's worth of detail, so that JPEG files of them have realistic sizes.
#pragma once

#include <QImage>
#include <QSize>

namespace TestSupport
{
// 4000 x 2920 by default; 7360 x 4912 is a 36-megapixel camera's, more than 128 MiB when decoded in full.
QImage drawLargePhoto(int seed, const QSize &size = QSize(4000, 2920));
} // namespace TestSupport

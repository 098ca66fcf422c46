// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the sample library's images: a photograph of the plot and its scanned data sheet.
#pragma once

#include "data/photorecord.h"

#include <QImage>

struct SampleBook;

namespace SampleImages
{
// 822 x 600 (1.37:1): sky, tree line and ground whose fuel follows the photo's loadings and fuel bed depth,
// with a photo board reading the photo label. The same photo and seed give the same picture.
QImage drawPhotograph(const PhotoRecord &photo, const SampleBook &book, quint32 seed);
// 800 x 1000 portrait sheet listing the photo's values.
QImage drawDataSheet(const PhotoRecord &photo, const SampleBook &book);
} // namespace SampleImages

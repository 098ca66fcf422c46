// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a photo in a slot without any window: its rows, its data sheet, its picture and the pane's message.
#pragma once

#include "present/photoslots.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class ImageResolver;
class PhotoDatabase;

// Everything a photo pane shows of one photo.
struct ShownPhoto {
    PhotoSlotState slot; // ImageSource says where the picture came from
    QImage picture;      // decoded at the pane's size; null when there is none
    QString path;        // the picture file, for decoding again at another size
    QString message;     // lblNoPic: empty, "No Picture Available in: ..." or "Can't load image. ..."
};

class PhotoDisplay
{
public:
    PhotoDisplay(const PhotoDatabase &database, const ImageResolver &resolver);

    // The data step, then the picture step. The rows come first so that nothing is shown of a photo that
    // cannot be read (nullopt and a reason); a picture that cannot be loaded touches only the picture.
    // beforeDecode runs when a picture file was found and is about to be decoded.
    std::optional<ShownPhoto> show(qint64 id, bool skipPhotoDirectory, const QSize &pictureSize,
                                   const std::function<void()> &beforeDecode = {}, QString *error = nullptr,
                                   Units units = Units::Imperial) const;

private:
    const PhotoDatabase &m_database;
    const ImageResolver &m_resolver;
};

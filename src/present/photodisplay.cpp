// SPDX-License-Identifier: GPL-3.0-or-later
// The data and picture steps of showing a photo.
#include "photodisplay.h"

#include "present/imageloader.h"
#include "present/imageresolver.h"
#include "present/photodata.h"

PhotoDisplay::PhotoDisplay(const PhotoDatabase &database, const ImageResolver &resolver)
    : m_database(database), m_resolver(resolver)
{
}

namespace
{
QString cantLoadMessage()
{
    return QStringLiteral("Can't load image.") + QLatin1Char('\n') + QStringLiteral("Check disk drive.");
}
} // namespace

std::optional<ShownPhoto> PhotoDisplay::show(qint64 id, bool skipPhotoDirectory, const QSize &pictureSize,
                                             const std::function<void()> &beforeDecode, QString *error,
                                             Units units) const
{
    std::optional<PhotoSlotState> slot = PhotoData::read(m_database, id, error, units);
    if (!slot)
        return std::nullopt;
    ShownPhoto shown;
    const ImageResolver::Result found = m_resolver.resolve(*slot->photo, ImageResolver::Photo, skipPhotoDirectory);
    if (found.path.isEmpty()) {
        slot->ImageSource = ImageNowhere;
        shown.message = m_resolver.noPictureMessage();
    } else {
        slot->ImageSource = found.source;
        if (beforeDecode)
            beforeDecode();
        if (std::optional<QImage> picture = ImageLoader::load(found.path, pictureSize, true)) {
            shown.picture = std::move(*picture);
            shown.path = found.path;
        } else {
            shown.message = cantLoadMessage();
        }
    }
    shown.slot = std::move(*slot);
    return shown;
}

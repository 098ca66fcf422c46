// SPDX-License-Identifier: GPL-3.0-or-later
// Gathering report inputs through the screen's image resolver.
#include "reportinputs.h"

#include "data/photodatabase.h"
#include "present/imageloader.h"
#include "present/imageresolver.h"
#include "present/photodata.h"
#include "present/photoslots.h"
#include "shell/photodirectory.h"

#include <cmath>

namespace
{
constexpr double kPrintDpi = 300;
}

ReportInputs::ReportInputs(const PhotoDirectory &directory, QString programFolder, const PhotoDatabase *database)
    : m_directory(directory), m_programFolder(std::move(programFolder)), m_database(database)
{
}

std::optional<QImage> ReportInputs::loadPicture(const QString &path, const QSizeF &inches, QString *error)
{
    if (path.isEmpty())
        return std::nullopt;
    const QSize target(int(std::lround(inches.width() * kPrintDpi)), int(std::lround(inches.height() * kPrintDpi)));
    return ImageLoader::load(path, target, false, error);
}

std::optional<QImage> ReportInputs::picture(const QString &path, const QSizeF &inches) const
{
    QString reason;
    std::optional<QImage> image = loadPicture(path, inches, &reason);
    if (!image && !path.isEmpty() && m_unreadable)
        m_unreadable(path, reason);
    if (m_afterPicture)
        m_afterPicture();
    return image;
}

QString ReportInputs::slotPicturePath(const PhotoSlotState &slot) const
{
    if (!slot.photo)
        return {};
    if (slot.isFieldPhoto())
        return slot.fieldPicture;
    // The photo directory only when the screen's picture came from there and the user has not chosen
    // to search the local copy only; an unreadable drive falls back to the local copy.
    const bool skipDirectory =
        slot.ImageSource != ImagePhotoDirectory || m_directory.DriveChoice == PhotoDirectory::SearchLocalOnly;
    const ImageResolver resolver(m_directory, m_programFolder);
    return resolver.resolve(*slot.photo, ImageResolver::Photo, skipDirectory).path;
}

QString ReportInputs::sourcePicturePath(const QString &label) const
{
    if (!m_database || !m_database->isOpen() || label.isEmpty())
        return {};
    const std::optional<PhotoRecord> photo = PhotoData::photoByLabel(*m_database, label);
    if (!photo)
        return {};
    const ImageResolver resolver(m_directory, m_programFolder);
    const bool skipDirectory = m_directory.DriveChoice == PhotoDirectory::SearchLocalOnly;
    return resolver.resolve(*photo, ImageResolver::Photo, skipDirectory).path;
}

ReportLayouts::PhotoReportInput ReportInputs::photo(const PhotoSlotState &slot) const
{
    ReportLayouts::PhotoReportInput input;
    if (slot.photo) {
        input.bookLabel = slot.photo->bookLabel;
        input.photoLabel = slot.photo->photoLabel;
        input.groupLabel = slot.photo->groupLabel;
    }
    input.sheet = slot.sheet;
    input.picture = picture(slotPicturePath(slot), ReportLayouts::kPhotoPictureSize);
    return input;
}

std::array<ReportLayouts::ComparisonColumn, 2> ReportInputs::comparison(const PhotoSlotState &left,
                                                                        const PhotoSlotState &right) const
{
    std::array<ReportLayouts::ComparisonColumn, 2> columns;
    const PhotoSlotState *shown[2] = {&left, &right};
    for (size_t i = 0; i < 2; ++i) {
        columns[i].label = shown[i]->label;
        columns[i].sheet = shown[i]->sheet;
        columns[i].picture = picture(slotPicturePath(*shown[i]), ReportLayouts::kComparisonPictureSize);
    }
    return columns;
}

ReportLayouts::ProfileReportInput ReportInputs::profile(const FuelProfile &profile, Units units) const
{
    ReportLayouts::ProfileReportInput input;
    input.profile = profile;
    input.units = units;
    const QStringList labels = ReportLayouts::profileSourceLabels(profile);
    for (const QString &label : labels)
        input.pictures.push_back(picture(sourcePicturePath(label), ReportLayouts::kProfilePictureSize));
    return input;
}

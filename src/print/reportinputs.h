// SPDX-License-Identifier: GPL-3.0-or-later
// What the reports show, gathered from the slots, the profile and the database, pictures decoded for print.
#pragma once

#include "print/reportlayouts.h"

#include <QImage>
#include <QSizeF>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class PhotoDatabase;
class PhotoDirectory;
struct PhotoSlotState;

class ReportInputs
{
public:
    // Pictures are found the way the screen finds them: photo directory, then the local copy. The database
    // (may be null) names the source photos of a profile.
    ReportInputs(const PhotoDirectory &directory, QString programFolder, const PhotoDatabase *database);

    // Called after each picture is decoded, so that a progress window stays alive.
    void setAfterPicture(std::function<void()> afterPicture) { m_afterPicture = std::move(afterPicture); }
    // Told of each picture file that was found but cannot be decoded, with the reason; the page says
    // "No image available" in its place all the same. A picture found nowhere is no problem to tell.
    using UnreadablePicture = std::function<void(const QString &path, const QString &reason)>;
    void setUnreadablePicture(UnreadablePicture unreadable) { m_unreadable = std::move(unreadable); }

    ReportLayouts::PhotoReportInput photo(const PhotoSlotState &slot) const;
    std::array<ReportLayouts::ComparisonColumn, 2> comparison(const PhotoSlotState &left,
                                                              const PhotoSlotState &right) const;
    ReportLayouts::ProfileReportInput profile(const FuelProfile &profile, Units units = Units::Imperial) const;

    // The slot's picture from where the screen took it; empty when it is found nowhere.
    QString slotPicturePath(const PhotoSlotState &slot) const;
    // A profile's source photo found by its label in the database; empty when unknown or found nowhere.
    QString sourcePicturePath(const QString &label) const;

    // Decoded at the printed size at 300 dots per inch (never larger than the file), in the camera's
    // orientation. A file that cannot be decoded counts as no picture (error says why).
    static std::optional<QImage> loadPicture(const QString &path, const QSizeF &inches, QString *error = nullptr);

private:
    std::optional<QImage> picture(const QString &path, const QSizeF &inches) const;

    const PhotoDirectory &m_directory;
    QString m_programFolder;
    const PhotoDatabase *m_database;
    std::function<void()> m_afterPicture;
    UnreadablePicture m_unreadable;
};

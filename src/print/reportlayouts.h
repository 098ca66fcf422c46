// The three report pages as functions of what they show: the photo, the comparison and the fuel profile.
#pragma once

#include "present/datasheet.h"
#include "print/reportpage.h"
#include "profile/fuelprofile.h"

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace ReportLayouts
{

// The sizes the pictures are printed at, so that they can be decoded at that size beforehand.
inline const QSizeF kPhotoPictureSize(5.0, 3.5);
inline const QSizeF kComparisonPictureSize(3.5, 2.5);
inline const QSizeF kProfilePictureSize(3.5, 2.5);

// Notes stop above this line so that they never run under the rule and the pictures.
constexpr double kNotesBottom = 3.4;
constexpr double kNotesWidth = 6.0;
// The most characters of notes the profile report lays out, on however many pages it prints them: about a
// dozen pages of 10-point lines, far beyond any real profile's notes, so that the largest notes a profile
// file may hold (a megabyte) still print in a moment. Longer notes end in "…" where they are cut.
constexpr int kMaxPrintedNotes = 50000;

// "Fenwyx - " and the legal notice.
QString footerText();

struct PhotoReportInput {
    QString bookLabel;
    QString photoLabel;
    QString groupLabel;
    DataSheet sheet;
    std::optional<QImage> picture; // none: "No image available"
};

struct ComparisonColumn {
    QString label; // the slot's photo label, "BOOK/PHOTO"
    DataSheet sheet;
    std::optional<QImage> picture;
};

struct ProfileReportInput {
    FuelProfile profile;
    Units units = Units::Imperial; // of the printed values; the profile itself stays in tons per acre and inches
    // One per label of profileSourceLabels(profile), in that order; none: "No image available".
    std::vector<std::optional<QImage>> pictures;
};

ReportPage photoReport(const PhotoReportInput &input);
ReportPage comparisonReport(const std::array<ComparisonColumn, 2> &columns);
ReportPage profileReport(const ProfileReportInput &input);

// The source photos of a profile, each once, empty ones left out: 0 to 2.9 inch, 3 inch plus, duff, fuel bed.
QStringList profileSourceLabels(const FuelProfile &profile);

// A number as the report prints it: up to 15 significant digits, unrounded, a blank in place of the plus
// sign and a blank after it (" 15.39 ", "-1 ").
QString printedNumber(double value);

// The notes as lines of at most `width` inches: each line break starts a paragraph, paragraphs wrap at
// blanks, a word wider than a line is cut; at most maxLines lines of the first kMaxPrintedNotes characters,
// the last one ending in "…" when the notes go on.
QStringList wrapNotes(const QString &notes, const ReportFont &font, double width, int maxLines);

} // namespace ReportLayouts

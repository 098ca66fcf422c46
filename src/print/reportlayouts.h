// SPDX-License-Identifier: GPL-3.0-or-later
// The three reports as functions of what they show: the photo, the comparison and the fuel profile.
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

// The right end of every text: a text that would pass it is set smaller, down to kSmallestPointSize, and
// then wrapped at blanks onto further lines, which move the lines below down.
constexpr double kRight = 7.5;
constexpr double kSmallestPointSize = 8;

// Notes stop above this line on the first page so that they never run under the rule and the pictures; the
// rest goes on pages of their own, headed "Notes (continued)", whose notes stop above kContinuedNotesBottom.
constexpr double kNotesBottom = 3.4;
constexpr double kContinuedNotesBottom = 9.6;
constexpr double kNotesWidth = 6.0;
// The most characters of notes the profile report prints: about ten pages of 10-point lines, far beyond any
// real profile's notes, so that the largest notes a profile file may hold (a megabyte) still print in a
// moment. Notes of thousands of short lines stop at kMaxNotesPages pages after the first instead. Notes cut
// there end in "…", followed by kNotesCut.
constexpr int kMaxPrintedNotes = 50000;
constexpr int kMaxNotesPages = 20;
inline const QString kNotesCut =
    QStringLiteral("The notes go on beyond what a report prints; the profile file holds them all.");
// Where a number printed from x 2.5 ends at the latest: short of its row's source photo at 3.5.
constexpr double kNumberRight = 3.45;

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

Report photoReport(const PhotoReportInput &input);
// Both data sheets are drawn at the scale of the one with the smaller, so that their rows read alike.
Report comparisonReport(const std::array<ComparisonColumn, 2> &columns);
// One page, and the notes that do not fit on it on pages of their own.
Report profileReport(const ProfileReportInput &input);

// The source photos of a profile, each once, empty ones left out: 0 to 2.9 inch, 3 inch plus, duff, fuel bed.
QStringList profileSourceLabels(const FuelProfile &profile);

// A number as the report prints it: up to 15 significant digits, unrounded, a blank in place of the plus
// sign and a blank after it (" 15.39 ", "-1 ").
QString printedNumber(double value);

// The notes as lines of at most `width` inches: each line break starts a paragraph, paragraphs wrap at
// blanks, a word wider than a line goes on over the next; at most maxLines lines of the first kMaxPrintedNotes
// characters, the last one ending in "…" when the notes go on (cut then tells so).
QStringList wrapNotes(const QString &notes, const ReportFont &font, double width, int maxLines, bool *cut = nullptr);

} // namespace ReportLayouts

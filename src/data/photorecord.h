// SPDX-License-Identifier: GPL-3.0-or-later
// One row of Photos and one row of Books, with SQL nulls kept (a null text is a null QString).
#pragma once

#include <QString>
#include <array>
#include <optional>

using OptionalNumber = std::optional<double>;

struct PhotoRecord {
    qint64 id = 0;
    QString bookLabel;
    QString photoLabel;
    QString groupLabel;
    std::array<OptionalNumber, 7> tonsPerAcreBreak; // TonsPerAcreBreak1..7 at index 0..6
    OptionalNumber oto3FL;
    OptionalNumber totalFL;
    OptionalNumber averageDuffDepth;
    OptionalNumber averageFuelbedDepth;
    QString vegType;
    QString activity;
    QString fireBehaveFM;
    QString dangerRatingFM;
    QString photoPic;
    QString dataPic;

    // Book label "/" photo label: the name of a photo everywhere in the program.
    QString label() const { return bookLabel + QLatin1Char('/') + photoLabel; }
    QString key() const { return QLatin1Char('P') + QString::number(id); }
    // Whether a label names this photo: the whole text against book label "/" photo label, with blanks around it
    // and letter case ignored (a book label may itself hold a "/").
    bool isNamedBy(const QString &text) const { return text.trimmed().compare(label(), Qt::CaseInsensitive) == 0; }

    // Sums as the database computes them: null as soon as one class is null.
    OptionalNumber sumOfClasses(int first, int last) const
    {
        double sum = 0;
        for (int i = first; i <= last; ++i) {
            if (!tonsPerAcreBreak[size_t(i - 1)])
                return std::nullopt;
            sum += *tonsPerAcreBreak[size_t(i - 1)];
        }
        return sum;
    }
    OptionalNumber fineLoad() const { return sumOfClasses(1, 3); }   // 0 to 2.9 inch
    OptionalNumber coarseLoad() const { return sumOfClasses(4, 7); } // 3 inch and larger
    OptionalNumber totalLoad() const { return sumOfClasses(1, 7); }
};

struct BookRecord {
    std::optional<qint64> id; // none when the row's id is null or the table has none
    QString bookLabel;
    QString bookDescription;
    OptionalNumber breakInches4;
    OptionalNumber breakInches5;
    OptionalNumber breakInches6;
};

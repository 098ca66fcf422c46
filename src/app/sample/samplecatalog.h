// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed content of the sample library: the books, their stand profiles and the four code tables.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

struct CodeEntry {
    QString code;
    QString description;
};

// One code file beside the database.
struct CodeTable {
    QString fileName;
    std::vector<CodeEntry> entries;
};

// A book and what its photos look like: the codes its stands draw from and how heavy their fuels run.
struct SampleBook {
    QString label;
    QString description;
    double breakInches4 = 0;
    double breakInches5 = 0;
    double breakInches6 = 0;
    QStringList vegTypes;
    QStringList activities; // repeated entries weigh the draw
    QStringList behaveModels;
    QStringList dangerModels;
    double coarseScale = 1.0; // dry forests carry less down wood than the coast
    double duffScale = 1.0;

    // 1 to 4: the classes of 3 inches and more that the book's bounds open.
    int coarseClassCount() const;
};

namespace SampleCatalog
{
const std::vector<SampleBook> &books();
const CodeTable &vegCodes();
const CodeTable &activityCodes();
const CodeTable &behaveCodes();
const CodeTable &dangerRatingCodes();
std::vector<const CodeTable *> codeTables();

// Description of a code, matched without regard to case; empty when the table lacks it.
QString describe(const CodeTable &table, const QString &code);
// Words for an activity within a photo description ("clearcut slash").
QString activityPhrase(const QString &activityCode);
// Size class label as printed on a data sheet ("0-0.24\"", "9-19.9\"", "35+\"").
QString classLabel(const SampleBook &book, int sizeClass);
} // namespace SampleCatalog

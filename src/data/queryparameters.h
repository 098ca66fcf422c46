// SPDX-License-Identifier: GPL-3.0-or-later
// The lists a query is made from: books, loading ranges and the four code lists, as read from the database.
#pragma once

#include "data/photofilter.h"
#include "data/units.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <optional>
#include <vector>

class PhotoDatabase;

struct BookEntry {
    QString text;             // "All Books" or BookLabel + ", " + BookDescription
    std::optional<qint64> id; // the Books row's id; none for "All Books" and where the id is null or repeated
    QString label;            // the Books row's label, which selects its photos; null for "All Books"
};

struct CodeEntry {
    QString text;     // LookupCode's entry: code "-" description, or code "- "
    QString rawValue; // the value as the database holds it; queries match this
};

class QueryParameters
{
public:
    enum Range { TotalLoad, Fine, Coarse, RangeCount };                     // cboTotalLoad, cbo0to3, cbo3Plus
    enum Codes { VegType, Activity, DangerRating, FireBehave, CodesCount }; // lstVegType .. lstFireBehave

    // At most this many " n" entries in a range list; a larger maximum widens the step instead.
    static constexpr int MaxRangeEntries = 500;

    std::vector<BookEntry> books; // "All Books" first, then the Books rows in the database's order
    std::array<QStringList, RangeCount> ranges;
    std::array<std::vector<CodeEntry>, CodesCount> codes;
    // Code files that exist but could not be used, each named with the reason; their lists still hold every
    // code, without descriptions.
    QStringList problems;

    // Reads everything in one pass; code files are read once each. With no open database (or a failing
    // read) every list is empty, "All Books" included, and *error says why.
    // The range lists count in the units shown (Mg/ha in metric units).
    // The code files' entries for each code in the database, for the quick filter.
    PhotoFilter::CodeTexts codeTexts() const;

    static QueryParameters load(const PhotoDatabase &database, const QString &programFolder, QString *error = nullptr,
                                Units units = Units::Imperial);

    // "0", then " n" for n = 0, 2, 4, ... up to the whole-number part of (maximum + 4). A null maximum
    // counts as 0. Past MaxRangeEntries the step becomes the smallest even number that keeps the count
    // within it, and the last entry is the first multiple of the step at or above that limit.
    static QStringList rangeEntries(const QVariant &maximum);
    // The entries' defaults: list 0 shows the first entry, list 1 the last.
    static QString rangeFrom(const QStringList &entries) { return entries.value(0); }
    static QString rangeTo(const QStringList &entries) { return entries.isEmpty() ? QString() : entries.last(); }

    // The entries of one range list from the database's maximum (the list that load() gives).
    static std::optional<QStringList> rangeEntries(const PhotoDatabase &database, int range, QString *error = nullptr,
                                                   Units units = Units::Imperial);
    // Case-insensitive ascending, stable (equal entries keep their order).
    static void SortListBox(std::vector<CodeEntry> &entries);

    static QString codeFileName(int list);      // "VegCodes.txt", ...
    static QString controlName(int list);       // "lstVegType", ...
    static QString rangeControlName(int range); // "cboTotalLoad", ...
    static QString codeColumn(int list);        // "VegType", "Activity", "DangerRatingFM", "FireBehaveFM"
};

// The code of a list entry: leading blanks removed, then everything before the first "-" (all of it
// when there is none).
QString CodeFromListText(const QString &text);

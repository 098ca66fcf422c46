// SPDX-License-Identifier: GPL-3.0-or-later
// Batch matching commands over the same ranking and summary as the windows.
#include "batchmatch.h"

#include "data/batchdata.h"
#include "data/batchquery.h"
#include "data/csvwriter.h"
#include "data/numberformat.h"
#include "data/photolibrary.h"
#include "data/photomatch.h"
#include "data/photosummary.h"
#include "data/resultsmodel.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace
{

void print(std::FILE *err, const QString &text)
{
    std::fprintf(err, "similar: %s\n", qUtf8Printable(text));
}

int usage(std::FILE *err, const QString &problem)
{
    print(err, problem);
    return 2;
}

// The options of the values, in the order of PhotoMatch::Measure, and the values' names in messages.
const QStringList kValueOptions{QStringLiteral("--fine"), QStringLiteral("--coarse"), QStringLiteral("--duff"),
                                QStringLiteral("--bed")};
const char *const kValueNames[PhotoMatch::MeasureCount] = {"0 to 2.9 inch loading", "3 inch and larger loading",
                                                           "duff depth", "fuel-bed depth"};

QString namesOf(const std::array<bool, PhotoMatch::MeasureCount> &which)
{
    QStringList names;
    for (int m = 0; m < PhotoMatch::MeasureCount; ++m) {
        if (which[size_t(m)])
            names << QString::fromLatin1(kValueNames[m]);
    }
    return names.join(QStringLiteral(", "));
}

} // namespace

namespace BatchMatch
{

int similar(const QString &programFolder, const QStringList &arguments, std::FILE *out, std::FILE *err, Units units)
{
    std::optional<QString> label;
    PhotoMatch::Values typed;
    bool anyTyped = false;
    int top = 20;
    QStringList args = arguments;
    while (!args.isEmpty()) {
        QString option = args.takeFirst();
        if (!option.startsWith(QLatin1String("--"))) {
            if (label)
                return usage(err, QStringLiteral("unexpected argument '%1'").arg(option));
            label = option;
            continue;
        }
        QString value;
        if (!BatchData::takeOptionValue(option, args, &value))
            return usage(err, option + QStringLiteral(" needs a value"));
        if (option == QLatin1String("--top")) {
            bool whole = false;
            top = value.trimmed().toInt(&whole);
            if (!whole || top < 0) {
                print(err, QStringLiteral("--top: '%1' is not a whole number of 0 or more").arg(value));
                return 1;
            }
        } else if (const qsizetype m = kValueOptions.indexOf(option); m >= 0) {
            const std::optional<double> number = NumberFormat::parse(value);
            if (!number || !std::isfinite(*number) || *number < 0) {
                print(err, QStringLiteral("%1: '%2' is not a number of 0 or more").arg(option, value));
                return 1;
            }
            typed[size_t(m)] = number;
            anyTyped = true;
        } else {
            return usage(err, QStringLiteral("unknown option '%1'").arg(option));
        }
    }
    if (label && anyTyped)
        return usage(err, QStringLiteral("give a photo or values to match, not both"));

    // Every photo of the database is a candidate, and the spread is taken over all of them.
    PhotoDatabase database;
    QString error;
    if (!database.open(PhotoLibrary::databasePath(programFolder), &error)) {
        std::fprintf(err, "%s\n", qUtf8Printable(error));
        return 1;
    }
    std::optional<PhotoSet> photos;
    {
        const PhotoDatabase::ReadTransaction reading(database);
        photos = database.selectPhotos({}, {}, &error);
    }
    if (!photos) {
        std::fprintf(err, "%s\n", qUtf8Printable(error));
        return 1;
    }

    PhotoMatch::Values query;
    std::optional<qint64> excluded;
    if (label) {
        const PhotoRecord *photo = photoNamed(*photos, *label);
        if (!photo) {
            print(err, QStringLiteral("no photo labelled \"%1\"").arg(label->trimmed()));
            return 1;
        }
        query = PhotoMatch::valuesOf(*photo);
        excluded = photo->id;
    } else {
        query = PhotoMatch::storedValues(typed, units);
    }
    const PhotoMatch::Ranking ranking = PhotoMatch::rank(*photos, query, PhotoMatch::spreadOf(*photos), excluded);

    std::array<bool, PhotoMatch::MeasureCount> unused{};
    for (size_t m = 0; m < PhotoMatch::MeasureCount; ++m)
        unused[m] = query[m].has_value() && !ranking.used[m];
    if (!ranking.usable()) {
        QString why;
        if (std::find(unused.begin(), unused.end(), true) != unused.end())
            why = QStringLiteral("the photos do not differ in the ") + namesOf(unused);
        else if (label)
            why = QStringLiteral("the photo \"%1\" has none").arg(label->trimmed());
        else
            why = QStringLiteral("give a photo (BOOK/PHOTO) or --fine, --coarse, --duff or --bed");
        print(err, QStringLiteral("no value to match on: ") + why);
        return 1;
    }
    if (std::find(unused.begin(), unused.end(), true) != unused.end())
        print(err, QStringLiteral("note: not matched on the %1: the photos do not differ in it").arg(namesOf(unused)));
    if (ranking.leftOut > 0) {
        const bool one = std::count(ranking.used.begin(), ranking.used.end(), true) == 1;
        print(err, QStringLiteral("note: %1 %2 left out, lacking %3")
                       .arg(ranking.leftOut)
                       .arg(ranking.leftOut == 1 ? QStringLiteral("photo") : QStringLiteral("photos"))
                       .arg((one ? QStringLiteral("the %1") : QStringLiteral("one of the values matched on (%1)"))
                                .arg(namesOf(ranking.used))));
    }

    // Rank, the label and the distance, then the list's other columns as list prints them.
    QByteArray csv;
    QStringList header{QStringLiteral("Rank"), ResultsModel::headerText(ResultsModel::BookPhotoId, units),
                       QStringLiteral("Distance")};
    for (int c = ResultsModel::BookPhotoId + 1; c < ResultsModel::ColumnCount; ++c)
        header << ResultsModel::headerText(c, units);
    Csv::appendRow(csv, header);
    const size_t shown = top == 0 ? ranking.photos.size() : std::min(ranking.photos.size(), size_t(top));
    for (size_t r = 0; r < shown; ++r) {
        const PhotoRecord &photo = (*photos)[size_t(ranking.photos[r].index)];
        QStringList row{QString::number(r + 1), photo.label(),
                        NumberFormat::picture(ranking.photos[r].distance, u"0.000")};
        for (int c = ResultsModel::BookPhotoId + 1; c < ResultsModel::ColumnCount; ++c)
            row << ResultsModel::cellText(photo, c, units);
        Csv::appendRow(csv, row);
    }
    return BatchData::writeOutput(out, csv, err) ? 0 : 1;
}

int summary(const QString &programFolder, const QStringList &args, std::FILE *out, std::FILE *err, Units units)
{
    PhotoSet found;
    const int status = BatchQuery::visitQuery(
        programFolder, args, err, units, [&found](const PhotoRecord &photo) { found.push_back(photo); },
        QStringLiteral("summary"));
    if (status != 0)
        return status;
    std::vector<const PhotoRecord *> listed;
    listed.reserve(found.size());
    for (const PhotoRecord &photo : found)
        listed.push_back(&photo);
    const PhotoSummary::Table table = PhotoSummary::summarize(listed, units);

    QByteArray csv;
    Csv::appendRow(csv, {QStringLiteral("Measure"), QStringLiteral("Count"), QStringLiteral("Min"),
                         QStringLiteral("Median"), QStringLiteral("Mean"), QStringLiteral("Max")});
    for (int m = 0; m < PhotoSummary::MeasureCount; ++m) {
        const PhotoSummary::Row &row = table[size_t(m)];
        QStringList fields{PhotoSummary::name(PhotoSummary::Measure(m), units), QString::number(row.count)};
        for (double v : {row.min, row.median, row.mean, row.max})
            fields << (row.count > 0 ? NumberFormat::picture(v, u"0.00") : QString());
        Csv::appendRow(csv, fields);
    }
    return BatchData::writeOutput(out, csv, err) ? 0 : 1;
}

} // namespace BatchMatch

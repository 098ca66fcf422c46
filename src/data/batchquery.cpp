// SPDX-License-Identifier: GPL-3.0-or-later
// Batch query commands over the same lists and query code as the query pane.
#include "batchquery.h"

#include "data/batchdata.h"
#include "data/photolibrary.h"
#include "data/querybuilder.h"
#include "data/queryparameters.h"

#include <array>
#include <optional>

namespace
{

void print(std::FILE *out, const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
}

int usageProblem(std::FILE *err, const QString &command, const QString &problem)
{
    print(err, command + QStringLiteral(": ") + problem);
    return 2;
}

} // namespace

namespace BatchQuery
{

int visitQuery(const QString &programFolder, const QStringList &arguments, std::FILE *err, Units units,
               const std::function<void(const PhotoRecord &)> &visit, const QString &command)
{
    const auto usage = [err, &command](const QString &problem) { return usageProblem(err, command, problem); };
    QStringList args = arguments;
    if (args.isEmpty())
        return usage(QStringLiteral("a KIND is missing (book, total, size, models or all)"));
    const QStringList kinds{QStringLiteral("book"), QStringLiteral("total"), QStringLiteral("size"),
                            QStringLiteral("models"), QStringLiteral("all")};
    const QString kindWord = args.takeFirst();
    const int kind = int(kinds.indexOf(kindWord.toLower()));
    if (kind < 0)
        return usage(QStringLiteral("unknown kind '%1'").arg(kindWord));

    std::optional<QString> book;
    std::array<std::optional<QString>, 6> ranges; // total, fine, coarse: from and to
    std::array<QStringList, QueryParameters::CodesCount> codes;
    const QStringList rangeOptions{QStringLiteral("--from"),        QStringLiteral("--to"),
                                   QStringLiteral("--fine-from"),   QStringLiteral("--fine-to"),
                                   QStringLiteral("--coarse-from"), QStringLiteral("--coarse-to")};
    const QStringList codeOptions{QStringLiteral("--veg"), QStringLiteral("--act"), QStringLiteral("--danger"),
                                  QStringLiteral("--behave")};
    while (!args.isEmpty()) {
        QString option = args.takeFirst();
        if (!option.startsWith(QLatin1String("--")))
            return usage(QStringLiteral("unexpected argument '%1'").arg(option));
        QString value;
        if (!BatchData::takeOptionValue(option, args, &value))
            return usage(option + QStringLiteral(" needs a value"));
        if (option == QLatin1String("--book"))
            book = value;
        else if (rangeOptions.contains(option))
            ranges[size_t(rangeOptions.indexOf(option))] = value;
        else if (codeOptions.contains(option))
            codes[size_t(codeOptions.indexOf(option))].append(value);
        else
            return usage(QStringLiteral("unknown option '%1'").arg(option));
    }

    // The database alone: the whole table need not be read before the query.
    PhotoDatabase database;
    QString error;
    if (!database.open(PhotoLibrary::databasePath(programFolder), &error)) {
        print(err, error);
        return 1;
    }
    // The book, the default ranges and the rows from one state of the file, let go (on return) before the
    // output is written.
    const PhotoDatabase::ReadTransaction reading(database);
    QueryCriteria criteria;
    criteria.units = units;
    if (book && book->compare(QLatin1String("All Books"), Qt::CaseInsensitive) != 0) {
        const auto record = database.bookByLabel(*book, &error);
        if (!record) {
            print(err, QStringLiteral("Query problem: ") + error);
            return 1;
        }
        criteria.bookLabel = record->bookLabel;
    }
    // Only the range lists a query reads are computed, and only when a bound is left to its default.
    QString *texts[] = {&criteria.totalFrom, &criteria.totalTo,    &criteria.fineFrom,
                        &criteria.fineTo,    &criteria.coarseFrom, &criteria.coarseTo};
    const bool readsRange[] = {kind == QueryCriteria::TotalLoad, kind == QueryCriteria::LoadBySize,
                               kind == QueryCriteria::LoadBySize};
    for (int r = 0; r < QueryParameters::RangeCount; ++r) {
        const size_t from = size_t(2 * r), to = from + 1;
        if (readsRange[r] && (!ranges[from] || !ranges[to])) {
            const auto entries = QueryParameters::rangeEntries(database, r, &error, units);
            if (!entries) {
                print(err, QStringLiteral("Query problem: ") + error);
                return 1;
            }
            *texts[from] = QueryParameters::rangeFrom(*entries);
            *texts[to] = QueryParameters::rangeTo(*entries);
        }
        if (ranges[from])
            *texts[from] = *ranges[from];
        if (ranges[to])
            *texts[to] = *ranges[to];
    }
    criteria.codesAsShown = true;
    QStringList *lists[] = {&criteria.vegTypes, &criteria.activities, &criteria.dangerRatings, &criteria.fireBehaves};
    for (int c = 0; c < QueryParameters::CodesCount; ++c)
        *lists[c] = codes[size_t(c)];

    const auto statement = QueryBuilder::build(database, kind, criteria, &error);
    if (!statement) {
        print(err, QStringLiteral("Query problem: ") + error);
        return 1;
    }
    if (!database.visitPhotos(statement->where, statement->binds, visit, &error)) {
        print(err, QStringLiteral("Query problem: ") + error);
        return 1;
    }
    return 0;
}

int query(const QString &programFolder, const QStringList &arguments, std::FILE *out, std::FILE *err, Units units)
{
    BatchData::ResultsCsvWriter writer(units);
    const int status =
        visitQuery(programFolder, arguments, err, units, [&writer](const PhotoRecord &photo) { writer.write(photo); });
    if (status != 0)
        return status;
    return writer.finish(out, err) ? 0 : 1;
}

int params(const QString &programFolder, std::FILE *out, std::FILE *err)
{
    PhotoDatabase database;
    QString error;
    if (!database.open(PhotoLibrary::databasePath(programFolder), &error)) {
        print(err, error);
        return 1;
    }
    const QueryParameters p = QueryParameters::load(database, programFolder, &error);
    if (!error.isEmpty()) {
        print(err, error);
        return 1;
    }
    // The lists are printed all the same, as the query pane shows them: the codes without descriptions.
    for (const QString &problem : p.problems)
        print(err, problem);
    QString text = QStringLiteral("cboBook\n");
    for (const BookEntry &book : p.books)
        text += book.text + QLatin1Char('\n');
    for (int r = 0; r < QueryParameters::RangeCount; ++r) {
        text += QueryParameters::rangeControlName(r) + QLatin1Char('\n');
        for (const QString &entry : p.ranges[size_t(r)])
            text += entry + QLatin1Char('\n');
    }
    for (int c = 0; c < QueryParameters::CodesCount; ++c) {
        text += QueryParameters::controlName(c) + QLatin1Char('\n');
        for (const CodeEntry &entry : p.codes[size_t(c)])
            text += entry.text + QLatin1Char('\n');
    }
    return BatchData::writeOutput(out, text.toUtf8(), err) ? 0 : 1;
}

} // namespace BatchQuery

// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the query lists from the database and the code files.
#include "queryparameters.h"

#include "data/codefile.h"
#include "data/photodatabase.h"
#include "data/sqlitestatement.h"

#include <QDir>
#include <QHash>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace
{

const char *const kCodeFiles[] = {"VegCodes.txt", "ActCodes.txt", "DangerRatingCodes.txt", "BehaveCodes.txt"};
const char *const kCodeColumns[] = {"VegType", "Activity", "DangerRatingFM", "FireBehaveFM"};
const char *const kCodeControls[] = {"lstVegType", "lstActType", "lstDangerRating", "lstFireBehave"};
const char *const kRangeControls[] = {"cboTotalLoad", "cbo0to3", "cbo3Plus"};
// Far beyond any loading, small enough to be written as a whole number.
constexpr double kLargestLimit = 1e15;

// The maximum a range list reaches, over the values as the program reads them.
QString maximumExpression(int range)
{
    switch (range) {
    case QueryParameters::Fine:
        return QStringLiteral("Max(%1)").arg(PhotoDatabase::classSum(1, 3));
    case QueryParameters::Coarse:
        return QStringLiteral("Max(%1)").arg(PhotoDatabase::classSum(4, 7));
    default:
        return QStringLiteral("Max(%1)").arg(PhotoDatabase::number(QStringLiteral("TotalFL")));
    }
}

// The distinct codes of the four lists, gathered by an aggregate function inside one scan of the table:
// the rows never leave the database engine, which keeps the load fast on large tables.
struct CodeCollector {
    std::array<QHash<QByteArray, QByteArray>, QueryParameters::CodesCount> seen; // folded -> first spelling
    QByteArray folded;

    // collect(list, value): keeps the first spelling of each value without regard to ASCII case (the
    // NOCASE rule the query matches with).
    static void step(sqlite3_context *context, int, sqlite3_value **args)
    {
        auto *self = static_cast<CodeCollector *>(sqlite3_user_data(context));
        const int list = sqlite3_value_int(args[0]);
        if (list < 0 || list >= QueryParameters::CodesCount || sqlite3_value_type(args[1]) == SQLITE_NULL)
            return;
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(args[1]));
        const int size = sqlite3_value_bytes(args[1]);
        if (!text)
            return;
        self->folded.resize(size);
        char *out = self->folded.data();
        for (int i = 0; i < size; ++i)
            out[i] = text[i] >= 'a' && text[i] <= 'z' ? char(text[i] - 'a' + 'A') : text[i];
        auto &set = self->seen[size_t(list)];
        if (!set.contains(self->folded))
            set.insert(QByteArray(self->folded.constData(), size), QByteArray(text, size));
    }
    static void final(sqlite3_context *context) { sqlite3_result_null(context); }
};

// Maxima of TotalFL and of the two class sums (none when every row's is null) and, per code column, each
// distinct non-null value, ordered as the database groups them without regard to case; the first spelling
// in table order stands for its group.
bool scanPhotos(const PhotoDatabase &database, std::array<std::optional<double>, QueryParameters::RangeCount> &maxima,
                std::array<std::vector<QByteArray>, QueryParameters::CodesCount> &distinct, QString *error)
{
    static const char function[] = "fenwyx_collect_codes";
    const QString sql = QStringLiteral("SELECT %1, %2, %3, fenwyx_collect_codes(0, VegType),"
                                       " fenwyx_collect_codes(1, Activity), fenwyx_collect_codes(2, DangerRatingFM),"
                                       " fenwyx_collect_codes(3, FireBehaveFM) FROM Photos")
                            .arg(maximumExpression(QueryParameters::TotalLoad),
                                 maximumExpression(QueryParameters::Fine), maximumExpression(QueryParameters::Coarse));
    sqlite3 *db = database.handle();
    CodeCollector collector;
    if (sqlite3_create_function_v2(db, function, 2, SQLITE_UTF8, &collector, nullptr, &CodeCollector::step,
                                   &CodeCollector::final, nullptr) != SQLITE_OK) {
        *error = database.fileName() + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    // The function refers to the collector on this stack frame: remove it whatever happens.
    const auto unregister = qScopeGuard([db] {
        sqlite3_create_function_v2(db, function, 2, SQLITE_UTF8, nullptr, nullptr, nullptr, nullptr, nullptr);
    });
    SqliteStatement st(db, sql);
    if (!st.step()) {
        *error = database.readError(st);
        return false;
    }
    for (int r = 0; r < QueryParameters::RangeCount; ++r) {
        if (!st.isNull(r))
            maxima[size_t(r)] = st.number(r);
    }
    for (int list = 0; list < QueryParameters::CodesCount; ++list) {
        const auto &set = collector.seen[size_t(list)];
        QList<QByteArray> keys = set.keys();
        std::sort(keys.begin(), keys.end());
        for (const QByteArray &key : keys)
            distinct[size_t(list)].push_back(set.value(key));
    }
    return true;
}

} // namespace

QString QueryParameters::codeFileName(int list)
{
    return list >= 0 && list < CodesCount ? QString::fromLatin1(kCodeFiles[list]) : QString();
}

QString QueryParameters::controlName(int list)
{
    return list >= 0 && list < CodesCount ? QString::fromLatin1(kCodeControls[list]) : QString();
}

QString QueryParameters::rangeControlName(int range)
{
    return range >= 0 && range < RangeCount ? QString::fromLatin1(kRangeControls[range]) : QString();
}

PhotoFilter::CodeTexts QueryParameters::codeTexts() const
{
    PhotoFilter::CodeTexts texts;
    for (size_t kind = 0; kind < texts.size(); ++kind) {
        for (const CodeEntry &entry : codes[kind])
            texts[kind].insert(entry.rawValue, entry.text);
    }
    return texts;
}

QString QueryParameters::codeColumn(int list)
{
    return list >= 0 && list < CodesCount ? QString::fromLatin1(kCodeColumns[list]) : QString();
}

QStringList QueryParameters::rangeEntries(const QVariant &maximum)
{
    double max = 0;
    if (maximum.isValid() && !maximum.isNull()) {
        bool ok = false;
        max = maximum.toDouble(&ok);
        if (!ok || std::isnan(max))
            max = 0;
    }
    const double limit = std::min(std::floor(max + 4), kLargestLimit);
    QStringList entries{QStringLiteral("0")};
    if (limit < 0)
        return entries;
    const auto top = qint64(limit);
    qint64 step = 2;
    if (top / 2 + 1 > MaxRangeEntries) {
        const qint64 spans = MaxRangeEntries - 1;
        step = (top + 2 * spans - 1) / (2 * spans) * 2;
    }
    for (qint64 n = 0;; n += step) {
        if (step == 2 && n > top)
            break;
        entries.append(QLatin1Char(' ') + QString::number(n));
        if (step > 2 && n >= top)
            break;
    }
    return entries;
}

std::optional<QStringList> QueryParameters::rangeEntries(const PhotoDatabase &database, int range, QString *error,
                                                         Units units)
{
    if (range < 0 || range >= RangeCount)
        return std::nullopt;
    const auto max = database.column(QStringLiteral("SELECT %1 FROM Photos").arg(maximumExpression(range)), {}, error);
    if (!max)
        return std::nullopt;
    const QVariant maximum = max->value(0);
    if (!maximum.isValid() || maximum.isNull())
        return rangeEntries(maximum);
    return rangeEntries(QVariant(UnitConversion::loading(maximum.toDouble(), units)));
}

void QueryParameters::SortListBox(std::vector<CodeEntry> &entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const CodeEntry &a, const CodeEntry &b) {
        return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
    });
}

QueryParameters QueryParameters::load(const PhotoDatabase &database, const QString &programFolder, QString *error,
                                      Units units)
{
    QString reason;
    // Without a database there is nothing to choose from: not even "All Books".
    auto failed = [&] {
        if (error)
            *error = reason;
        return QueryParameters();
    };
    if (!database.isOpen()) {
        reason = QStringLiteral("no photo database is open");
        return failed();
    }

    QueryParameters p;
    // The books, the maxima and the codes from one state of the file, whoever writes it meanwhile.
    std::optional<PhotoDatabase::ReadTransaction> reading(std::in_place, database);
    const auto books = database.books(&reason);
    if (!books)
        return failed();
    QHash<qint64, int> idCount;
    for (const BookRecord &book : *books) {
        if (book.id)
            ++idCount[*book.id];
    }
    p.books.push_back({QStringLiteral("All Books"), std::nullopt, QString()});
    for (const BookRecord &book : *books) {
        const bool uniqueId = book.id && idCount.value(*book.id) == 1;
        p.books.push_back({book.bookLabel + QStringLiteral(", ") + book.bookDescription,
                           uniqueId ? book.id : std::nullopt, book.bookLabel});
    }

    // One pass over the table gives the three maxima and the distinct codes of the four lists.
    std::array<std::optional<double>, RangeCount> maxima;
    std::array<std::vector<QByteArray>, CodesCount> distinct; // first spelling of each, in table order
    if (!scanPhotos(database, maxima, distinct, &reason))
        return failed();
    reading.reset();
    for (int r = 0; r < RangeCount; ++r)
        p.ranges[size_t(r)] =
            rangeEntries(maxima[size_t(r)] ? QVariant(UnitConversion::loading(*maxima[size_t(r)], units)) : QVariant());

    const QDir folder(programFolder);
    for (int list = 0; list < CodesCount; ++list) {
        QString problem;
        const CodeFile file(folder.filePath(codeFileName(list)), &problem);
        if (!problem.isEmpty())
            p.problems.append(problem);
        std::vector<CodeEntry> &entries = p.codes[size_t(list)];
        for (const QByteArray &value : distinct[size_t(list)]) {
            const QString raw = QString::fromUtf8(value);
            entries.push_back({file.LookupCode(raw), raw});
        }
        SortListBox(entries);
    }
    if (error)
        error->clear();
    return p;
}

QString CodeFromListText(const QString &text)
{
    qsizetype first = 0;
    while (first < text.size() && text[first] == u' ')
        ++first;
    const QString rest = text.mid(first);
    const qsizetype dash = rest.indexOf(u'-');
    return dash < 0 ? rest : rest.left(dash);
}

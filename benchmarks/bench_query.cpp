// SPDX-License-Identifier: GPL-3.0-or-later
// Times each query kind in-process against stepping the same SELECT through SQLite, and the list loading.
#include "data/photodatabase.h"
#include "data/photolibrary.h"
#include "data/querybuilder.h"
#include "data/queryparameters.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <functional>
#include <sqlite3.h>

namespace
{

// Best of `runs` in milliseconds.
double best(int runs, const std::function<void()> &work)
{
    double result = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        result = std::min(result, timer.nsecsElapsed() / 1e6);
    }
    return result;
}

// What the sqlite3 shell does for the query: every column of every row read as text.
void stepAll(sqlite3 *db, const QueryBuilder::Statement &st)
{
    QString sql = QStringLiteral("SELECT * FROM Photos");
    if (!st.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + st.where;
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr);
    for (int i = 0; i < st.binds.size(); ++i) {
        const QVariant &v = st.binds.at(i);
        if (v.typeId() == QMetaType::Double)
            sqlite3_bind_double(stmt, i + 1, v.toDouble());
        else
            sqlite3_bind_text(stmt, i + 1, v.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
    }
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            sqlite3_column_text(stmt, c);
    }
    sqlite3_finalize(stmt);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: bench_query LIBRARY_FOLDER [runs]\n";
        return 2;
    }
    const int runs = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 5;
    PhotoDatabase db;
    QString error;
    if (!db.open(PhotoLibrary::databasePath(args.at(1)), &error)) {
        QTextStream(stderr) << error << '\n';
        return 1;
    }
    QueryParameters params;
    out << QStringLiteral("LoadQueryParameters lists: %1 ms\n")
               .arg(best(runs, [&] { params = QueryParameters::load(db, args.at(1)); }), 0, 'f', 1);

    QueryCriteria c;
    c.totalFrom = c.fineFrom = c.coarseFrom = QStringLiteral("0");
    c.totalTo = QStringLiteral(" 40");
    c.fineTo = QStringLiteral(" 10");
    c.coarseTo = QStringLiteral(" 30");
    if (params.books.size() > 1)
        c.bookId = params.books[1].id;
    if (!params.codes[QueryParameters::VegType].empty())
        c.vegTypes = QStringList{params.codes[QueryParameters::VegType].front().rawValue};
    if (!params.codes[QueryParameters::DangerRating].empty())
        c.dangerRatings = QStringList{params.codes[QueryParameters::DangerRating].front().rawValue};
    const char *names[] = {"book", "total", "size", "models", "all"};
    for (int kind = 0; kind <= 4; ++kind) {
        const auto statement = QueryBuilder::build(db, kind, c);
        size_t rows = 0;
        const double ours = best(runs, [&] { rows = QueryBuilder::select(db, kind, c)->size(); });
        const double raw = best(runs, [&] { stepAll(db.handle(), *statement); });
        out << QStringLiteral("%1 rows %2  RunQuery %3 ms  SQLite step %4 ms  ratio %5\n")
                   .arg(QLatin1String(names[kind]), -7)
                   .arg(rows, 7)
                   .arg(ours, 7, 'f', 1)
                   .arg(raw, 7, 'f', 1)
                   .arg(ours / raw, 5, 'f', 2);
    }
    return 0;
}

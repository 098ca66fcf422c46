// SPDX-License-Identifier: GPL-3.0-or-later
// Building and running the query of each kind with every value bound.
#include "querybuilder.h"

#include "data/numberformat.h"
#include "data/photolibrary.h"
#include "platform/failtext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace
{

// A stored loading as shown: in Mg/ha the query compares the converted value, as the list shows it.
QString shown(const QString &expression, Units units)
{
    if (units == Units::Imperial)
        return expression;
    return QStringLiteral("(%1 * %2)").arg(expression, QString::number(UnitConversion::loadingFactor(units), 'g', 17));
}

// Appends "expr >= ? AND expr <= ?" after checking that both texts are numbers.
bool addRange(QStringList &conditions, QVariantList &binds, const QString &expression, const QString &from,
              const QString &to, QString *error)
{
    for (const QString *text : {&from, &to}) {
        const auto value = NumberFormat::parse(*text);
        if (!value)
            return fail(error, QStringLiteral("'%1' is not a number").arg(*text));
        binds.append(*value);
    }
    conditions.append(QStringLiteral("%1 >= ? AND %1 <= ?").arg(expression));
    return true;
}

// One code list as alternatives; a null column never equals a value. The codes go in as one JSON array, so
// that any number of them makes one small condition (a chain of ORs grows too deep for the engine).
void addCodes(QStringList &conditions, QVariantList &binds, const QString &column, const QStringList &codes,
              bool asShown)
{
    if (codes.isEmpty())
        return;
    QJsonArray values;
    for (const QString &code : codes)
        values.append(asShown ? code.trimmed() : code);
    const QString compared = asShown ? QStringLiteral("trim(%1)").arg(column) : column;
    conditions.append(compared + QStringLiteral(" COLLATE NOCASE IN (SELECT value FROM json_each(?))"));
    binds.append(QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact)));
}

// The label of the book an entry of the book list names. The entry's text (label, ", ", description) says
// it even when ids are missing, null or repeated, and whatever commas the label holds; the id decides only
// between rows of the same text, and only when it is unique. A text no row has (typed by hand) is cut at
// its first comma.
std::optional<QString> chosenBookLabel(const PhotoDatabase &database, const QueryCriteria &c, QString *error)
{
    const auto books = database.books(error);
    if (!books)
        return std::nullopt;
    std::vector<const BookRecord *> matches;
    for (const BookRecord &book : *books) {
        if (book.bookLabel + QStringLiteral(", ") + book.bookDescription == c.bookText)
            matches.push_back(&book);
    }
    if (matches.empty())
        return c.bookText.section(QLatin1Char(','), 0, 0);
    if (matches.size() > 1 && c.bookId) {
        const auto sameId = [&c](const BookRecord &book) { return book.id == c.bookId; };
        if (std::count_if(books->begin(), books->end(), sameId) == 1) {
            for (const BookRecord *book : matches) {
                if (sameId(*book))
                    return book->bookLabel;
            }
        }
    }
    return matches.front()->bookLabel;
}

} // namespace

namespace QueryBuilder
{

std::optional<Statement> build(const PhotoDatabase &database, int kind, const QueryCriteria &c, QString *error)
{
    QStringList conditions;
    Statement st;
    switch (kind) {
    case QueryCriteria::AllPhotos:
        break;
    case QueryCriteria::Book: {
        std::optional<QString> label = c.bookLabel;
        if (!label) {
            if (c.bookText == QLatin1String("All Books") || c.bookText.isEmpty())
                break;
            label = chosenBookLabel(database, c, error);
            if (!label)
                return std::nullopt;
        }
        conditions.append(QStringLiteral("BookLabel = ? COLLATE NOCASE"));
        st.binds.append(*label);
        break;
    }
    case QueryCriteria::TotalLoad:
        if (!addRange(conditions, st.binds, shown(PhotoDatabase::number(QStringLiteral("TotalFL")), c.units),
                      c.totalFrom, c.totalTo, error))
            return std::nullopt;
        addCodes(conditions, st.binds, QStringLiteral("VegType"), c.vegTypes, c.codesAsShown);
        addCodes(conditions, st.binds, QStringLiteral("Activity"), c.activities, c.codesAsShown);
        break;
    case QueryCriteria::LoadBySize:
        if (!addRange(conditions, st.binds, shown(PhotoDatabase::classSum(1, 3), c.units), c.fineFrom, c.fineTo,
                      error) ||
            !addRange(conditions, st.binds, shown(PhotoDatabase::classSum(4, 7), c.units), c.coarseFrom, c.coarseTo,
                      error))
            return std::nullopt;
        addCodes(conditions, st.binds, QStringLiteral("VegType"), c.vegTypes, c.codesAsShown);
        addCodes(conditions, st.binds, QStringLiteral("Activity"), c.activities, c.codesAsShown);
        break;
    case QueryCriteria::FuelModels:
        addCodes(conditions, st.binds, QStringLiteral("DangerRatingFM"), c.dangerRatings, c.codesAsShown);
        addCodes(conditions, st.binds, QStringLiteral("FireBehaveFM"), c.fireBehaves, c.codesAsShown);
        break;
    default:
        fail(error, QStringLiteral("unknown query kind %1").arg(kind));
        return std::nullopt;
    }
    st.where = conditions.join(QStringLiteral(" AND "));
    return st;
}

std::optional<PhotoSet> select(const PhotoDatabase &database, int kind, const QueryCriteria &criteria, QString *error)
{
    if (!database.isOpen()) {
        fail(error, QStringLiteral("no photo database is open"));
        return std::nullopt;
    }
    // The book list and the rows from one state of the file.
    const PhotoDatabase::ReadTransaction reading(database);
    const auto statement = build(database, kind, criteria, error);
    if (!statement)
        return std::nullopt;
    return database.selectPhotos(statement->where, statement->binds, error);
}

} // namespace QueryBuilder

bool RunQuery(PhotoLibrary &library, int kind, const QueryCriteria &criteria, QString *error)
{
    if (kind < QueryCriteria::Book || kind > QueryCriteria::AllPhotos)
        return true;
    auto photos = QueryBuilder::select(library.database(), kind, criteria, error);
    if (!photos)
        return false;
    library.setCurrentPhotoSet(std::make_shared<PhotoSet>(std::move(*photos)));
    return true;
}

// Building and running the query of each kind with every value bound.
#include "querybuilder.h"

#include "data/numberformat.h"
#include "data/photolibrary.h"

namespace
{

const QString kFine = QStringLiteral("(TonsPerAcreBreak1+TonsPerAcreBreak2+TonsPerAcreBreak3)");
const QString kCoarse = QStringLiteral("(TonsPerAcreBreak4+TonsPerAcreBreak5+TonsPerAcreBreak6+TonsPerAcreBreak7)");

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
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

// One code list as alternatives; a null column never equals a value.
void addCodes(QStringList &conditions, QVariantList &binds, const QString &column, const QStringList &codes,
              bool asShown)
{
    if (codes.isEmpty())
        return;
    QStringList alternatives;
    const QString compared = asShown ? QStringLiteral("trim(%1)").arg(column) : column;
    for (const QString &code : codes) {
        alternatives.append(compared + QStringLiteral(" = ? COLLATE NOCASE"));
        binds.append(asShown ? code.trimmed() : code);
    }
    conditions.append(QLatin1Char('(') + alternatives.join(QStringLiteral(" OR ")) + QLatin1Char(')'));
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
        QString label;
        if (c.bookId) {
            const auto book = database.bookById(*c.bookId, error);
            if (!book)
                return std::nullopt;
            label = book->bookLabel;
        } else if (c.bookText != QLatin1String("All Books") && !c.bookText.isEmpty()) {
            label = c.bookText.section(QLatin1Char(','), 0, 0);
        } else {
            break;
        }
        conditions.append(QStringLiteral("BookLabel = ? COLLATE NOCASE"));
        st.binds.append(label);
        break;
    }
    case QueryCriteria::TotalLoad:
        if (!addRange(conditions, st.binds, QStringLiteral("TotalFL"), c.totalFrom, c.totalTo, error))
            return std::nullopt;
        addCodes(conditions, st.binds, QStringLiteral("VegType"), c.vegTypes, c.codesAsShown);
        addCodes(conditions, st.binds, QStringLiteral("Activity"), c.activities, c.codesAsShown);
        break;
    case QueryCriteria::LoadBySize:
        if (!addRange(conditions, st.binds, kFine, c.fineFrom, c.fineTo, error) ||
            !addRange(conditions, st.binds, kCoarse, c.coarseFrom, c.coarseTo, error))
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

// SPDX-License-Identifier: GPL-3.0-or-later
// The query: the pane's selections as QueryCriteria, turned into one bound SQL statement per kind.
#pragma once

#include "data/photodatabase.h"
#include "data/units.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

class PhotoLibrary;

// What a query reads from the pane. The code lists hold the entries' raw database values.
struct QueryCriteria {
    enum Kind { Book = 0, TotalLoad = 1, LoadBySize = 2, FuelModels = 3, AllPhotos = 4 };

    QString bookText = QStringLiteral("All Books"); // "All Books" or label, ", ", description
    std::optional<qint64> bookId;                   // the chosen entry's Books id, if any
    // The chosen book's label, when the caller knows it (BookEntry::label): the book query selects by it
    // alone. Without it the book is found from bookText (and bookId where the text is not enough).
    std::optional<QString> bookLabel;
    QString totalFrom, totalTo;
    QString fineFrom, fineTo;     // 0 to 2.9 inch
    QString coarseFrom, coarseTo; // 3 inch and larger
    QStringList vegTypes, activities, dangerRatings, fireBehaves;
    // The lists hold codes as the entries show them (blanks around a value not significant) instead of
    // raw values: the batch interface names codes this way.
    bool codesAsShown = false;
    // The units of the range texts: a query compares the loadings as they are shown, so that a photo on a shown
    // bound is found.
    Units units = Units::Imperial;
};

namespace QueryBuilder
{

// The WHERE condition (empty for the whole table) and the values for its ?s.
struct Statement {
    QString where;
    QVariantList binds;
};

// Kinds 0 to 4; any other kind is refused. Range texts must be numbers (surrounding blanks allowed);
// an error names the text.
std::optional<Statement> build(const PhotoDatabase &database, int kind, const QueryCriteria &criteria,
                               QString *error = nullptr);
// Builds and runs; the rows come in the database's own order.
std::optional<PhotoSet> select(const PhotoDatabase &database, int kind, const QueryCriteria &criteria,
                               QString *error = nullptr);

} // namespace QueryBuilder

// Runs a query of kind 0 to 4 and makes its result the current photo set. Another kind leaves the set as
// it is and succeeds. On failure the current set is unchanged and *error holds the reason.
bool RunQuery(PhotoLibrary &library, int kind, const QueryCriteria &criteria, QString *error = nullptr);

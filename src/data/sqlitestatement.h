// SPDX-License-Identifier: GPL-3.0-or-later
// A prepared SQLite statement with bound values; finalized when it goes out of scope.
#pragma once

#include <QString>
#include <QVariant>
#include <optional>
#include <sqlite3.h>

class SqliteStatement
{
public:
    SqliteStatement(sqlite3 *db, const QString &sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    QString error() const { return m_error; }
    // The failure was another connection holding the file locked (beyond the connection's busy timeout).
    bool busy() const { return (m_errorCode & 0xff) == SQLITE_BUSY; }
    // Binds in order to ?1, ?2, ...: null/invalid, integers, doubles, texts.
    bool bind(const QVariantList &values);
    // True while a row is available; false at the end or on an error (then error() says why).
    bool step();

    int columnCount() const { return sqlite3_column_count(m_stmt); }
    QString columnName(int column) const { return QString::fromUtf8(sqlite3_column_name(m_stmt, column)); }
    bool isNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }
    double number(int column) const { return sqlite3_column_double(m_stmt, column); }
    // The value by the program's rule for numeric fields (finiteNumber below).
    std::optional<double> finiteNumber(int column) const { return finiteNumber(sqlite3_column_value(m_stmt, column)); }
    qint64 integer(int column) const { return sqlite3_column_int64(m_stmt, column); }
    // A null value gives a null QString, an empty text an empty (non-null) QString.
    QString text(int column) const;
    QVariant value(int column) const;

    // A stored value read as a number: an integer or a finite real as it is, a text that is wholly a number
    // ("." as decimal point, blanks around it allowed). Anything else counts as no value: null, other texts
    // ("1,5", "n/a"), binary values and infinities are never read as 0 or shown as "Inf".
    static std::optional<double> finiteNumber(sqlite3_value *value);

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_error;
    int m_errorCode = SQLITE_OK;
};

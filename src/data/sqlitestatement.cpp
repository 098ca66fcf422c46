// SPDX-License-Identifier: GPL-3.0-or-later
// Prepared statements over the sqlite3 C interface.
#include "sqlitestatement.h"

#include "data/numberformat.h"

#include <cmath>

SqliteStatement::SqliteStatement(sqlite3 *db, const QString &sql) : m_db(db)
{
    if (!db) {
        m_error = QStringLiteral("no database is open");
        return;
    }
    const QByteArray utf8 = sql.toUtf8();
    m_errorCode = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    if (m_errorCode != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

bool SqliteStatement::bind(const QVariantList &values)
{
    if (!m_stmt)
        return false;
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &v = values.at(i);
        int rc = SQLITE_OK;
        const int index = i + 1;
        if (!v.isValid() || v.isNull()) {
            rc = sqlite3_bind_null(m_stmt, index);
        } else {
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::ULongLong:
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(m_stmt, index, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, index, v.toDouble());
                break;
            default: {
                const QByteArray utf8 = v.toString().toUtf8();
                rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK) {
            m_errorCode = rc;
            m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
            return false;
        }
    }
    return true;
}

bool SqliteStatement::step()
{
    if (!m_stmt)
        return false;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        m_errorCode = rc;
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    }
    return false;
}

QString SqliteStatement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    if (!data)
        return {};
    const int size = sqlite3_column_bytes(m_stmt, column);
    if (size == 0)
        return QStringLiteral("");
    return QString::fromUtf8(data, size);
}

QVariant SqliteStatement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant::fromValue<qint64>(integer(column));
    case SQLITE_FLOAT:
        return number(column);
    default:
        return text(column);
    }
}

std::optional<double> SqliteStatement::finiteNumber(sqlite3_value *value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return double(sqlite3_value_int64(value));
    case SQLITE_FLOAT: {
        const double number = sqlite3_value_double(value);
        return std::isfinite(number) ? std::optional<double>(number) : std::nullopt;
    }
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
        const auto number = NumberFormat::parse(QString::fromUtf8(text, sqlite3_value_bytes(value)));
        return number && std::isfinite(*number) ? number : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

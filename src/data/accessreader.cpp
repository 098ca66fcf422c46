// SPDX-License-Identifier: GPL-3.0-or-later
// Copies the Photos and Books tables of an Access file into a new SQLite file with libmdb.
#include "data/accessreader.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QtEndian>

#include <mdbtools.h>
#include <sqlite3.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace
{

constexpr int rowOffsetMask = 0x1fff;
constexpr int deletedRowFlag = 0x4000;

struct MdbCloser {
    void operator()(MdbHandle *mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};
struct SqliteCloser {
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
struct GFreer {
    void operator()(char *text) const { g_free(text); }
};
using MdbPtr = std::unique_ptr<MdbHandle, MdbCloser>;
using TablePtr = std::unique_ptr<MdbTableDef, TableFreer>;
using SqlitePtr = std::unique_ptr<sqlite3, SqliteCloser>;
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;
using GString = std::unique_ptr<char, GFreer>;

// Failure with the reason to report; thrown only inside this file and caught in convertToSqlite.
struct ReadFailure {
    QString reason;
};

// Converts one Windows code page to UTF-16 with a cached iconv descriptor.
class CodePageDecoder
{
public:
    explicit CodePageDecoder(int codePage)
    {
        const QByteArray name = knownCodePage(codePage) ? "CP" + QByteArray::number(codePage) : "CP1252";
        m_iconv = iconv_open("UTF-16LE", name.constData());
        if (m_iconv == iconv_t(-1))
            m_iconv = iconv_open("UTF-16LE", "CP1252");
    }
    ~CodePageDecoder()
    {
        if (m_iconv != iconv_t(-1))
            iconv_close(m_iconv);
    }
    CodePageDecoder(const CodePageDecoder &) = delete;
    CodePageDecoder &operator=(const CodePageDecoder &) = delete;

    QString decode(QByteArrayView bytes)
    {
        if (bytes.isEmpty())
            return QString(QLatin1String(""));
        if (m_iconv == iconv_t(-1))
            return QString::fromLatin1(bytes.data(), bytes.size());
        iconv(m_iconv, nullptr, nullptr, nullptr, nullptr);
        // Every code page byte gives at most one UTF-16 unit (two for a rare pair); keep room for both.
        m_buffer.resize(size_t(bytes.size()) * 2 + 4);
        char *in = const_cast<char *>(bytes.data());
        size_t inLeft = size_t(bytes.size());
        char *out = reinterpret_cast<char *>(m_buffer.data());
        size_t outLeft = m_buffer.size() * sizeof(char16_t);
        while (inLeft > 0) {
            if (iconv(m_iconv, &in, &inLeft, &out, &outLeft) != size_t(-1))
                break;
            if (errno == E2BIG || outLeft < 2)
                break;
            // A byte the page does not define (or a cut multi-byte character) becomes U+FFFD.
            const char16_t replacement = 0xfffd;
            std::memcpy(out, &replacement, 2);
            out += 2;
            outLeft -= 2;
            ++in;
            --inLeft;
            iconv(m_iconv, nullptr, nullptr, nullptr, nullptr);
        }
        const auto units = qsizetype((out - reinterpret_cast<char *>(m_buffer.data())) / 2);
        return QString(reinterpret_cast<const QChar *>(m_buffer.data()), units);
    }

private:
    static bool knownCodePage(int codePage)
    {
        return codePage == 874 || codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
               (codePage >= 1250 && codePage <= 1258);
    }

    iconv_t m_iconv = iconv_t(-1);
    std::vector<char16_t> m_buffer;
};

quint32 readLe32(const unsigned char *p)
{
    return qFromLittleEndian<quint32>(p);
}

QString columnName(const MdbColumn *column)
{
    return QString::fromUtf8(column->name);
}

QString quoted(const QString &identifier)
{
    QString text = identifier;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

enum class Storage { Integer, Real, Text, Blob };

Storage storageOf(int columnType)
{
    switch (columnType) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return Storage::Integer;
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_MONEY:
    case MDB_NUMERIC:
        return Storage::Real;
    case MDB_BINARY:
    case MDB_OLE:
        return Storage::Blob;
    default:
        return Storage::Text;
    }
}

QString declaredType(int columnType)
{
    switch (storageOf(columnType)) {
    case Storage::Integer:
        return QStringLiteral("INTEGER");
    case Storage::Real:
        return QStringLiteral("REAL");
    case Storage::Blob:
        return QStringLiteral("BLOB");
    case Storage::Text:
        break;
    }
    return QStringLiteral("TEXT COLLATE NOCASE");
}

int fixedSizeOf(int columnType)
{
    switch (columnType) {
    case MDB_BYTE:
        return 1;
    case MDB_INT:
        return 2;
    case MDB_LONGINT:
    case MDB_COMPLEX:
    case MDB_FLOAT:
        return 4;
    case MDB_DOUBLE:
    case MDB_DATETIME:
    case MDB_MONEY:
        return 8;
    case MDB_REPID:
        return 16;
    case MDB_NUMERIC:
        return 17;
    default:
        return 0;
    }
}

// Days since 1899-12-30; the fraction is the time of day whatever the sign of the whole part.
QString dateTimeText(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return QString::number(days, 'g', 17);
    double whole = std::trunc(days);
    qint64 seconds = qRound64(std::fabs(days - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += days < 0 ? -1 : 1;
    }
    const QDate date = QDate(1899, 12, 30).addDays(qint64(whole));
    return QStringLiteral("%1 %2:%3:%4")
        .arg(date.toString(Qt::ISODate))
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

class TableCopier
{
public:
    TableCopier(MdbHandle *mdb, sqlite3 *db, CodePageDecoder *jet3Decoder)
        : m_mdb(mdb), m_db(db), m_jet3Decoder(jet3Decoder)
    {
    }

    void copy(MdbTableDef *table, const QString &targetName)
    {
        m_table = table;
        m_name = targetName;
        if (!mdb_read_columns(table) || table->num_cols == 0)
            throw ReadFailure{QStringLiteral("cannot read the columns of table %1").arg(targetName)};
        checkColumns();
        createTable();
        copyRows();
        m_insert.reset();
    }

private:
    MdbColumn *column(unsigned int index) const
    {
        return static_cast<MdbColumn *>(g_ptr_array_index(m_table->columns, index));
    }

    void exec(const QString &sql)
    {
        char *message = nullptr;
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            const QString reason = QString::fromUtf8(message ? message : "unknown error");
            sqlite3_free(message);
            throw ReadFailure{QStringLiteral("cannot write the copy: %1").arg(reason)};
        }
    }

    // A damaged column catalogue names a column twice, leaves a name empty or maps two columns onto one
    // place in the row; the values read through it would be wrong, so it is reported as damage.
    void checkColumns() const
    {
        QSet<QString> names;
        QSet<int> places;
        for (unsigned int i = 0; i < m_table->num_cols; ++i) {
            const MdbColumn *col = column(i);
            const QString name = columnName(col);
            if (name.trimmed().isEmpty())
                throw ReadFailure{QStringLiteral("the file is damaged: a column of table %1 has no name").arg(m_name)};
            if (names.contains(name.toLower()))
                throw ReadFailure{
                    QStringLiteral("the file is damaged: table %1 has two columns named %2").arg(m_name, name)};
            if (places.contains(col->row_col_num))
                throw ReadFailure{
                    QStringLiteral("the file is damaged: two columns of table %1 share one place").arg(m_name)};
            names.insert(name.toLower());
            places.insert(col->row_col_num);
        }
    }

    void createTable()
    {
        QStringList definitions;
        QStringList placeholders;
        for (unsigned int i = 0; i < m_table->num_cols; ++i) {
            const MdbColumn *col = column(i);
            definitions << quoted(columnName(col)) + QLatin1Char(' ') + declaredType(col->col_type);
            placeholders << QStringLiteral("?%1").arg(i + 1);
        }
        exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(m_name), definitions.join(QLatin1String(", "))));
        const QByteArray insert = QStringLiteral("INSERT INTO %1 VALUES (%2)")
                                      .arg(quoted(m_name), placeholders.join(QLatin1Char(',')))
                                      .toUtf8();
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(m_db, insert.constData(), int(insert.size()), &statement, nullptr) != SQLITE_OK)
            throw ReadFailure{QStringLiteral("cannot write the copy: %1").arg(QString::fromUtf8(sqlite3_errmsg(m_db)))};
        m_insert.reset(statement);
    }

    // Walks the data pages as libmdb's own table scan does, but cracks each row once and reads the raw
    // values: numbers keep every bit and a null stays distinct from an empty text.
    void copyRows()
    {
        std::vector<MdbField> fields(m_table->num_cols);
        unsigned int rowsRead = 0;
        mdb_rewind_table(m_table);
        while (mdb_read_next_dpg(m_table)) {
            const int rowsOnPage = mdb_get_int16(m_mdb->pg_buf, m_mdb->fmt->row_count_offset);
            for (int row = 0; row < rowsOnPage; ++row) {
                int start = 0;
                size_t size = 0;
                if (mdb_find_row(m_mdb, row, &start, &size) != 0 || size == 0 || (start & deletedRowFlag))
                    continue;
                start &= rowOffsetMask;
                // libmdb skips a row it cannot crack (an overflow pointer among them); real loss shows in the count.
                if (mdb_crack_row(m_table, start, size, fields.data()) < 0)
                    continue;
                for (unsigned int i = 0; i < m_table->num_cols; ++i)
                    bindField(int(i) + 1, column(unsigned(fields[i].colnum)), fields[i], rowsRead);
                if (sqlite3_step(m_insert.get()) != SQLITE_DONE)
                    throw ReadFailure{
                        QStringLiteral("cannot write the copy: %1").arg(QString::fromUtf8(sqlite3_errmsg(m_db)))};
                sqlite3_reset(m_insert.get());
                ++rowsRead;
            }
        }
        // A page that cannot be read ends libmdb's scan quietly: a data page left in the table's page map
        // after the scan, or fewer rows than the table definition counts, means a truncated or damaged file.
        const gint32 unread =
            mdb_map_find_next(m_mdb, m_table->usage_map, unsigned(m_table->map_sz), m_table->cur_phys_pg);
        if (unread > 0)
            throw ReadFailure{QStringLiteral("the file is damaged or incomplete: page %1 of table %2 cannot be read")
                                  .arg(QString::number(unread), m_name)};
        if (rowsRead < m_table->num_rows)
            throw ReadFailure{
                QStringLiteral("the file is damaged or incomplete: table %1 holds %2 rows, %3 could be read")
                    .arg(m_name, QString::number(m_table->num_rows), QString::number(rowsRead))};
    }

    ReadFailure damaged(unsigned int row, const QString &columnName) const
    {
        return {QStringLiteral("the file is damaged: %1 in row %2 of table %3 cannot be read")
                    .arg(columnName, QString::number(row + 1), m_name)};
    }

    QString decodeText(QByteArrayView bytes) const
    {
        return m_jet3Decoder ? m_jet3Decoder->decode(bytes) : AccessReader::decodeUnicodeText(bytes);
    }

    void bindText(int index, const QString &text)
    {
        sqlite3_bind_text16(m_insert.get(), index, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
    }

    // Gathers a memo or OLE value: inline in the row, on one long-value page, or chained over several.
    std::optional<QByteArray> longValue(const MdbField &field)
    {
        if (field.siz < MDB_MEMO_OVERHEAD)
            return QByteArray();
        const unsigned char *head = m_mdb->pg_buf + field.start;
        const quint32 header = readLe32(head);
        if (header & 0x80000000u)
            return QByteArray(reinterpret_cast<const char *>(head) + MDB_MEMO_OVERHEAD, field.siz - MDB_MEMO_OVERHEAD);
        void *page = nullptr;
        int rowStart = 0;
        size_t size = 0;
        int pageRow = int(readLe32(head + 4));
        if (header & 0x40000000u) {
            if (mdb_find_pg_row(m_mdb, pageRow, &page, &rowStart, &size) != 0)
                return std::nullopt;
            return QByteArray(static_cast<const char *>(page) + rowStart, qsizetype(size));
        }
        if (header & 0xff000000u)
            return std::nullopt;
        const qsizetype length = qsizetype(header);
        QByteArray value;
        value.reserve(length);
        while (value.size() < length) {
            if (pageRow == 0 || mdb_find_pg_row(m_mdb, pageRow, &page, &rowStart, &size) != 0 || size <= 4 ||
                value.size() + qsizetype(size - 4) > length)
                return std::nullopt;
            const char *chunk = static_cast<const char *>(page) + rowStart;
            value.append(chunk + 4, qsizetype(size - 4));
            pageRow = int(readLe32(reinterpret_cast<const unsigned char *>(chunk)));
        }
        return value;
    }

    void bindField(int index, const MdbColumn *col, const MdbField &field, unsigned int row)
    {
        sqlite3_stmt *statement = m_insert.get();
        // A yes/no value lives in the null mask: a set bit (not null) means yes.
        if (col->col_type == MDB_BOOL) {
            sqlite3_bind_int(statement, index, field.is_null ? 0 : 1);
            return;
        }
        if (field.is_null) {
            sqlite3_bind_null(statement, index);
            return;
        }
        const int needed = fixedSizeOf(col->col_type);
        if (field.siz < needed)
            throw damaged(row, columnName(col));
        const unsigned char *data = m_mdb->pg_buf + field.start;
        switch (col->col_type) {
        case MDB_BYTE:
            sqlite3_bind_int(statement, index, data[0]);
            return;
        case MDB_INT:
            sqlite3_bind_int(statement, index, qFromLittleEndian<qint16>(data));
            return;
        case MDB_LONGINT:
        case MDB_COMPLEX:
            sqlite3_bind_int(statement, index, qFromLittleEndian<qint32>(data));
            return;
        case MDB_FLOAT:
            sqlite3_bind_double(statement, index, double(qFromLittleEndian<float>(data)));
            return;
        case MDB_DOUBLE:
            sqlite3_bind_double(statement, index, qFromLittleEndian<double>(data));
            return;
        case MDB_MONEY:
            sqlite3_bind_double(statement, index, double(qFromLittleEndian<qint64>(data)) / 10000.0);
            return;
        case MDB_DATETIME:
            bindText(index, dateTimeText(qFromLittleEndian<double>(data)));
            return;
        case MDB_NUMERIC: {
            const GString text(mdb_numeric_to_string(m_mdb, field.start, col->col_scale, col->col_prec));
            bool ok = false;
            const double value = QByteArray(text.get()).toDouble(&ok);
            if (ok)
                sqlite3_bind_double(statement, index, value);
            else
                sqlite3_bind_null(statement, index);
            return;
        }
        case MDB_REPID: {
            const GString text(mdb_uuid_to_string(m_mdb->pg_buf, field.start));
            bindText(index, QString::fromLatin1(text.get()));
            return;
        }
        case MDB_TEXT:
            bindText(index, decodeText(QByteArrayView(reinterpret_cast<const char *>(data), field.siz)));
            return;
        case MDB_BINARY:
            sqlite3_bind_blob(statement, index, data, field.siz, SQLITE_TRANSIENT);
            return;
        case MDB_MEMO:
        case MDB_OLE: {
            const std::optional<QByteArray> value = longValue(field);
            if (!value)
                throw damaged(row, columnName(col));
            if (col->col_type == MDB_MEMO)
                bindText(index, decodeText(*value));
            else
                sqlite3_bind_blob(statement, index, value->constData(), int(value->size()), SQLITE_TRANSIENT);
            return;
        }
        default:
            sqlite3_bind_null(statement, index);
            return;
        }
    }

    MdbHandle *m_mdb;
    sqlite3 *m_db;
    CodePageDecoder *m_jet3Decoder;
    MdbTableDef *m_table = nullptr;
    QString m_name;
    StatementPtr m_insert;
};

MdbCatalogEntry *findTable(MdbHandle *mdb, const char *name)
{
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && g_ascii_strcasecmp(entry->object_name, name) == 0)
            return entry;
    }
    return nullptr;
}

// Removes the unfinished copy unless it was handed over.
class PartialFile
{
public:
    explicit PartialFile(QString path) : m_path(std::move(path)) {}
    ~PartialFile()
    {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    PartialFile(const PartialFile &) = delete;
    PartialFile &operator=(const PartialFile &) = delete;
    const QString &path() const { return m_path; }
    void release() { m_path.clear(); }

private:
    QString m_path;
};

void convert(const QString &mdbPath, const QString &sqlitePath)
{
    const QFileInfo source(mdbPath);
    if (!source.exists())
        throw ReadFailure{QStringLiteral("the file does not exist")};
    if (!source.isFile() || !source.isReadable())
        throw ReadFailure{QStringLiteral("the file cannot be read")};

    {
        // Every Jet and ACE file names its engine in the header page; without it libmdb would guess.
        QFile file(mdbPath);
        if (!file.open(QIODevice::ReadOnly))
            throw ReadFailure{QStringLiteral("the file cannot be read: %1").arg(file.errorString())};
        const QByteArray head = file.read(20);
        const QByteArray engine = head.mid(4, 15);
        if (head.size() < 20 || head.at(0) != 0 || (engine != "Standard Jet DB" && engine != "Standard ACE DB"))
            throw ReadFailure{QStringLiteral("not an Access database")};
    }
    MdbPtr mdb(mdb_open(QFile::encodeName(mdbPath).constData(), MDB_NOFLAGS));
    if (!mdb)
        throw ReadFailure{QStringLiteral("not an Access database")};
    // Jet files grow by whole pages: a file cut short (an interrupted copy) ends inside a page, and libmdb
    // would read that page's missing part as zeros, which are rows of nulls.
    const qint64 fileSize = source.size();
    const qint64 pageSize = mdb->fmt->pg_size;
    if (pageSize <= 0 || fileSize % pageSize != 0)
        throw ReadFailure{QStringLiteral("the file is damaged or incomplete: its length (%1 bytes) is not a whole "
                                         "number of %2-byte pages")
                              .arg(fileSize)
                              .arg(pageSize)};
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE) || mdb->num_catalog == 0)
        throw ReadFailure{QStringLiteral("the file is damaged: its table list cannot be read")};
    MdbCatalogEntry *photos = findTable(mdb.get(), "Photos");
    if (!photos)
        throw ReadFailure{QStringLiteral("no Photos table")};
    MdbCatalogEntry *books = findTable(mdb.get(), "Books");

    std::unique_ptr<CodePageDecoder> jet3Decoder;
    if (IS_JET3(mdb.get()))
        jet3Decoder = std::make_unique<CodePageDecoder>(mdb->f->code_page);

    const QByteArray suffix = ".part-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    PartialFile partial(sqlitePath + QString::fromLatin1(suffix));
    QFile::remove(partial.path());
    sqlite3 *rawDb = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(partial.path()).constData(), &rawDb,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    SqlitePtr db(rawDb);
    if (opened != SQLITE_OK)
        throw ReadFailure{QStringLiteral("cannot create the copy %1: %2")
                              .arg(partial.path(), QString::fromUtf8(rawDb ? sqlite3_errmsg(rawDb) : "out of memory"))};
    // The copy is rebuilt from the source whenever it is lost, so it needs no journal.
    sqlite3_exec(db.get(), "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);

    TableCopier copier(mdb.get(), db.get(), jet3Decoder.get());
    const auto copyTable = [&](MdbCatalogEntry *entry, const QString &name) {
        TablePtr table(mdb_read_table(entry));
        if (!table)
            throw ReadFailure{QStringLiteral("the file is damaged: table %1 cannot be read").arg(name)};
        copier.copy(table.get(), name);
    };
    if (sqlite3_exec(db.get(), "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw ReadFailure{QStringLiteral("cannot write the copy: %1").arg(QString::fromUtf8(sqlite3_errmsg(db.get())))};
    copyTable(photos, QStringLiteral("Photos"));
    if (books)
        copyTable(books, QStringLiteral("Books"));
    if (sqlite3_exec(db.get(), "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw ReadFailure{QStringLiteral("cannot write the copy: %1").arg(QString::fromUtf8(sqlite3_errmsg(db.get())))};
    if (sqlite3_close(db.release()) != SQLITE_OK)
        throw ReadFailure{QStringLiteral("cannot finish the copy")};

    // rename() replaces an older copy in one step, so a reader never sees a half-written file.
    if (std::rename(QFile::encodeName(partial.path()).constData(), QFile::encodeName(sqlitePath).constData()) != 0)
        throw ReadFailure{
            QStringLiteral("cannot create %1: %2").arg(sqlitePath, QString::fromLocal8Bit(std::strerror(errno)))};
    partial.release();
}

} // namespace

namespace AccessReader
{

bool convertToSqlite(const QString &mdbPath, const QString &sqlitePath, QString *error)
{
    try {
        convert(mdbPath, sqlitePath);
        return true;
    } catch (const ReadFailure &failure) {
        if (error)
            *error = failure.reason;
    } catch (const std::bad_alloc &) {
        if (error)
            *error = QStringLiteral("out of memory while reading the file");
    }
    return false;
}

QString decodeUnicodeText(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    qsizetype left = bytes.size();
    QString text(QLatin1String(""));
    if (left >= 2 && p[0] == 0xff && p[1] == 0xfe) {
        // Compressed: one byte per character (its high byte zero) until a zero byte switches to two-byte
        // characters, and the next zero byte back.
        p += 2;
        left -= 2;
        text.reserve(left);
        bool compressed = true;
        while (left > 0) {
            if (*p == 0) {
                compressed = !compressed;
                ++p;
                --left;
            } else if (compressed) {
                text.append(QChar(char16_t(*p)));
                ++p;
                --left;
            } else if (left >= 2) {
                text.append(QChar(char16_t(p[0] | (p[1] << 8))));
                p += 2;
                left -= 2;
            } else {
                break;
            }
        }
        return text;
    }
    text.resize(left / 2);
    for (qsizetype i = 0; i < left / 2; ++i)
        text[i] = QChar(char16_t(p[2 * i] | (p[2 * i + 1] << 8)));
    return text;
}

QString decodeCodePageText(QByteArrayView bytes, int codePage)
{
    CodePageDecoder decoder(codePage);
    return decoder.decode(bytes);
}

} // namespace AccessReader

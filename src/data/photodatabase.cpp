// SPDX-License-Identifier: GPL-3.0-or-later
// Read-only access to the photo database.
#include "photodatabase.h"

#include "data/accessimport.h"
#include "data/filecache.h"
#include "data/sqlitestatement.h"
#include "platform/failtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <sqlite3.h>

PhotoDatabase::FileKind PhotoDatabase::detect(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return FileKind::Missing;
    const QByteArray head = file.read(32);
    if (head.startsWith(QByteArrayLiteral("SQLite format 3")))
        return FileKind::Sqlite;
    const QByteArray signature = head.mid(4, 15);
    if (signature == "Standard Jet DB" || signature == "Standard ACE DB")
        return FileKind::Access;
    return FileKind::Unknown;
}

PhotoDatabase::PhotoDatabase() = default;

PhotoDatabase::~PhotoDatabase()
{
    close();
}

void PhotoDatabase::setBusyTimeout(int milliseconds)
{
    m_busyTimeoutMs = std::max(0, milliseconds);
    if (m_db)
        sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
}

PhotoDatabase::ReadTransaction::ReadTransaction(sqlite3 *db)
{
    // A deferred BEGIN takes no lock yet: the first read takes it, waiting as long as the busy timeout says.
    if (db && sqlite3_get_autocommit(db) && sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK)
        m_db = db;
}

PhotoDatabase::ReadTransaction::~ReadTransaction()
{
    if (m_db && sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void PhotoDatabase::close()
{
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_fileName.clear();
}

namespace
{

// What a read that gave up on a locked file reports, instead of the engine's bare "database is locked".
QString lockedReason(int timeoutMs)
{
    return QStringLiteral("another program kept the database locked for %1 seconds")
        .arg(QString::number(timeoutMs / 1000.0, 'g', 3));
}

} // namespace

QString PhotoDatabase::readError(const SqliteStatement &statement) const
{
    m_lockedOut = statement.busy();
    if (!m_db)
        return QStringLiteral("no photo database is open");
    QString reason = statement.error().isEmpty() ? QStringLiteral("unknown error") : statement.error();
    if (m_lockedOut)
        reason = lockedReason(m_busyTimeoutMs);
    return QStringLiteral("%1: %2").arg(m_fileName, reason);
}

namespace
{

struct TextField {
    const char *name;
    QString PhotoRecord::*field;
};
const TextField kTextFields[] = {
    {"BookLabel", &PhotoRecord::bookLabel},
    {"PhotoLabel", &PhotoRecord::photoLabel},
    {"GroupLabel", &PhotoRecord::groupLabel},
    {"VegType", &PhotoRecord::vegType},
    {"Activity", &PhotoRecord::activity},
    {"FireBehaveFM", &PhotoRecord::fireBehaveFM},
    {"DangerRatingFM", &PhotoRecord::dangerRatingFM},
    {"PhotoPic", &PhotoRecord::photoPic},
    {"DataPic", &PhotoRecord::dataPic},
};

struct NumberField {
    const char *name;
    OptionalNumber PhotoRecord::*field;
};
const NumberField kNumberFields[] = {
    {"Oto3FL", &PhotoRecord::oto3FL},
    {"TotalFL", &PhotoRecord::totalFL},
    {"AverageDuffDepth", &PhotoRecord::averageDuffDepth},
    {"AverageFuelbedDepth", &PhotoRecord::averageFuelbedDepth},
};

} // namespace

// The columns the program reads. A table without one of them would show blanks where data belongs, so
// such a database is refused at open. A book's id is no part of it: the book is found by its label.
QStringList PhotoDatabase::requiredPhotoColumns()
{
    QStringList columns{QStringLiteral("ID")};
    for (const TextField &f : kTextFields)
        columns << QString::fromLatin1(f.name);
    for (int i = 1; i <= 7; ++i)
        columns << QStringLiteral("TonsPerAcreBreak%1").arg(i);
    for (const NumberField &f : kNumberFields)
        columns << QString::fromLatin1(f.name);
    return columns;
}
QStringList PhotoDatabase::requiredBookColumns()
{
    return {QStringLiteral("BookLabel"), QStringLiteral("BookDescription"), QStringLiteral("BreakInches4"),
            QStringLiteral("BreakInches5"), QStringLiteral("BreakInches6")};
}

namespace
{

// Bumped when the check changes, so verdicts of an older check are not reused.
constexpr int kCheckFormat = 1;

// Empty when the table exists with every listed column, else which is missing. *busy tells a locked file.
QString missingColumn(sqlite3 *db, const QString &table, const QStringList &columns, bool *busy)
{
    SqliteStatement info(db, QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
    QSet<QString> present;
    if (info.bind({table})) {
        while (info.step())
            present.insert(info.text(0).toLower());
    }
    if (!info.error().isEmpty()) {
        *busy = info.busy();
        return info.error();
    }
    if (present.isEmpty())
        return QStringLiteral("the database has no %1 table").arg(table);
    for (const QString &column : columns) {
        if (!present.contains(column.toLower()))
            return QStringLiteral("the %1 table has no column %2").arg(table, column);
    }
    return {};
}

// Empty when the database's structure is sound, else the first problem. A damaged page can make a table
// lose rows or show rows twice without any read error, so the file is checked before anything is read.
// The verdict "sound" is kept per version of the file, as the Access copies are.
QString damageOf(sqlite3 *db, const QString &path, bool *busy)
{
    const FileCache::Stamp stamp = FileCache::stampOf(path);
    const QString folder = FileCache::folder(QStringLiteral("checked"));
    const QString verdict = QDir(folder).filePath(FileCache::entryName(stamp, kCheckFormat));
    if (QFileInfo::exists(verdict))
        return {};
    SqliteStatement check(db, QStringLiteral("PRAGMA quick_check(1)"));
    if (!check.step()) {
        *busy = check.busy();
        return check.error().isEmpty() ? QStringLiteral("the file cannot be checked") : check.error();
    }
    const QString result = check.text(0);
    if (result != QLatin1String("ok"))
        return QStringLiteral("the file is damaged (%1)").arg(result.left(200));
    QFile marker(verdict);
    if (marker.open(QIODevice::WriteOnly))
        FileCache::removeOlderEntries(folder, stamp, QFileInfo(verdict).fileName());
    return {};
}

// fenwyx_number(x): a numeric field read by the program's rule, so that queries compare and add the same
// values that the lists and sheets show.
void numberFunction(sqlite3_context *context, int, sqlite3_value **args)
{
    const auto number = SqliteStatement::finiteNumber(args[0]);
    if (number)
        sqlite3_result_double(context, *number);
    else
        sqlite3_result_null(context);
}

} // namespace

QString PhotoDatabase::number(const QString &column)
{
    return QStringLiteral("fenwyx_number(%1)").arg(column);
}

QString PhotoDatabase::classSum(int first, int last)
{
    QStringList terms;
    for (int i = first; i <= last; ++i)
        terms << number(QStringLiteral("TonsPerAcreBreak%1").arg(i));
    return QLatin1Char('(') + terms.join(QLatin1Char('+')) + QLatin1Char(')');
}

bool PhotoDatabase::open(const QString &path, QString *error)
{
    close();
    m_lockedOut = false;
    QString sqlitePath = path;
    switch (detect(path)) {
    case FileKind::Missing:
        return fail(error, QStringLiteral("%1: file not found or not readable").arg(path));
    case FileKind::Unknown:
        return fail(error, QStringLiteral("%1: not a photo database (neither Access nor SQLite)").arg(path));
    case FileKind::Access: {
        QString reason;
        const auto copy = AccessImport::sqliteCopyOf(path, &reason);
        if (!copy)
            return fail(error, reason.isEmpty() ? QStringLiteral("%1: cannot be read").arg(path) : reason);
        sqlitePath = *copy;
        break;
    }
    case FileKind::Sqlite:
        break;
    }

    sqlite3 *db = nullptr;
    const QByteArray utf8 = QFile::encodeName(sqlitePath);
    const auto refuse = [&](const QString &reason) {
        sqlite3_close_v2(db);
        return fail(error, QStringLiteral("%1: %2").arg(path, reason));
    };
    if (sqlite3_open_v2(utf8.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return refuse(db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory"));
    // Another program may be writing an SQLite Photo.mdb: its reads wait for it rather than fail at once.
    sqlite3_busy_timeout(db, m_busyTimeoutMs);
    QString problem;
    bool busy = false;
    {
        const ReadTransaction checks(db);
        // The Access reader makes its copy from a file it has checked itself.
        if (sqlitePath == path)
            problem = damageOf(db, path, &busy);
        if (problem.isEmpty())
            problem = missingColumn(db, QStringLiteral("Photos"), requiredPhotoColumns(), &busy);
        if (problem.isEmpty())
            problem = missingColumn(db, QStringLiteral("Books"), requiredBookColumns(), &busy);
    }
    if (busy) {
        m_lockedOut = true;
        return refuse(lockedReason(m_busyTimeoutMs));
    }
    if (!problem.isEmpty())
        return refuse(problem);
    if (sqlite3_create_function_v2(db, "fenwyx_number", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, &numberFunction,
                                   nullptr, nullptr, nullptr) != SQLITE_OK)
        return refuse(QString::fromUtf8(sqlite3_errmsg(db)));
    m_db = db;
    m_fileName = path;
    return true;
}

namespace
{

// Column positions of a Photos row, found by name without regard to case; the first column of a name wins.
class PhotoColumns
{
public:
    explicit PhotoColumns(const SqliteStatement &st)
    {
        QSet<QString> seen;
        for (int c = 0; c < st.columnCount(); ++c) {
            const QString name = st.columnName(c).toLower();
            if (seen.contains(name))
                continue;
            seen.insert(name);
            if (name == QLatin1String("id"))
                m_id = c;
            else if (name.size() == 17 && name.startsWith(QLatin1String("tonsperacrebreak")) && name[16] >= u'1' &&
                     name[16] <= u'7')
                m_tpa[size_t(name[16].unicode() - u'1')] = c;
            for (const TextField &f : kTextFields)
                if (name == QString::fromLatin1(f.name).toLower())
                    m_texts.push_back({c, f.field});
            for (const NumberField &f : kNumberFields)
                if (name == QString::fromLatin1(f.name).toLower())
                    m_numbers.push_back({c, f.field});
        }
    }

    PhotoRecord read(const SqliteStatement &st) const
    {
        PhotoRecord r;
        r.id = m_id < 0 ? 0 : st.integer(m_id);
        for (const auto &[column, field] : m_texts)
            r.*field = st.text(column);
        for (const auto &[column, field] : m_numbers)
            r.*field = number(st, column);
        for (size_t i = 0; i < m_tpa.size(); ++i)
            r.tonsPerAcreBreak[i] = number(st, m_tpa[i]);
        return r;
    }

private:
    static OptionalNumber number(const SqliteStatement &st, int c)
    {
        if (c < 0)
            return std::nullopt;
        return st.finiteNumber(c);
    }

    int m_id = -1;
    std::array<int, 7> m_tpa{{-1, -1, -1, -1, -1, -1, -1}};
    std::vector<std::pair<int, QString PhotoRecord::*>> m_texts;
    std::vector<std::pair<int, OptionalNumber PhotoRecord::*>> m_numbers;
};

BookRecord readBook(const SqliteStatement &st)
{
    BookRecord b;
    for (int c = 0; c < st.columnCount(); ++c) {
        const QString name = st.columnName(c).toLower();
        const OptionalNumber number = st.finiteNumber(c);
        if (name == QLatin1String("id"))
            b.id = st.isNull(c) ? std::nullopt : std::optional<qint64>(st.integer(c));
        else if (name == QLatin1String("booklabel"))
            b.bookLabel = st.text(c);
        else if (name == QLatin1String("bookdescription"))
            b.bookDescription = st.text(c);
        else if (name == QLatin1String("breakinches4"))
            b.breakInches4 = number;
        else if (name == QLatin1String("breakinches5"))
            b.breakInches5 = number;
        else if (name == QLatin1String("breakinches6"))
            b.breakInches6 = number;
    }
    return b;
}

template <typename T> std::optional<T> failed(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return std::nullopt;
}

} // namespace

bool PhotoDatabase::visitPhotos(const QString &where, const QVariantList &binds,
                                const std::function<void(const PhotoRecord &)> &visit, QString *error) const
{
    QString sql = QStringLiteral("SELECT * FROM Photos");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    SqliteStatement st(m_db, sql);
    if (!st.isValid() || !st.bind(binds))
        return fail(error, readError(st));
    const PhotoColumns columns(st);
    while (st.step())
        visit(columns.read(st));
    if (!st.error().isEmpty())
        return fail(error, readError(st));
    return true;
}

std::optional<PhotoSet> PhotoDatabase::selectPhotos(const QString &where, const QVariantList &binds,
                                                    QString *error) const
{
    PhotoSet photos;
    if (!visitPhotos(
            where, binds, [&photos](const PhotoRecord &photo) { photos.push_back(photo); }, error))
        return std::nullopt;
    return photos;
}

std::optional<PhotoRecord> PhotoDatabase::photoById(qint64 id, QString *error) const
{
    auto photos = selectPhotos(QStringLiteral("ID = ?"), {QVariant::fromValue(id)}, error);
    if (!photos)
        return std::nullopt;
    if (photos->empty())
        return failed<PhotoRecord>(error, QStringLiteral("no photo with ID %1").arg(id));
    return photos->front();
}

std::optional<std::vector<BookRecord>> PhotoDatabase::books(QString *error) const
{
    SqliteStatement st(m_db, QStringLiteral("SELECT * FROM Books"));
    if (!st.isValid())
        return failed<std::vector<BookRecord>>(error, readError(st));
    std::vector<BookRecord> result;
    while (st.step())
        result.push_back(readBook(st));
    if (!st.error().isEmpty())
        return failed<std::vector<BookRecord>>(error, readError(st));
    return result;
}

std::optional<BookRecord> PhotoDatabase::bookByLabel(const QString &label, QString *error) const
{
    SqliteStatement st(m_db, QStringLiteral("SELECT * FROM Books WHERE BookLabel = ?1 COLLATE NOCASE"));
    if (!st.isValid() || !st.bind({label}))
        return failed<BookRecord>(error, readError(st));
    if (!st.step())
        return failed<BookRecord>(error, st.error().isEmpty() ? QStringLiteral("no book labelled %1").arg(label)
                                                              : readError(st));
    return readBook(st);
}

std::optional<QVariantList> PhotoDatabase::column(const QString &sql, const QVariantList &binds, QString *error) const
{
    SqliteStatement st(m_db, sql);
    if (!st.isValid() || !st.bind(binds))
        return failed<QVariantList>(error, readError(st));
    QVariantList values;
    while (st.step())
        values.append(st.value(0));
    if (!st.error().isEmpty())
        return failed<QVariantList>(error, readError(st));
    return values;
}

const PhotoRecord *photoNamed(const PhotoSet &photos, const QString &label)
{
    const QString wanted = label.trimmed();
    const PhotoRecord *named = nullptr;
    for (const PhotoRecord &p : photos) {
        if (p.label() == wanted)
            return &p;
        if (!named && p.isNamedBy(wanted))
            named = &p;
    }
    return named;
}

// Read-only access to the photo database.
#include "photodatabase.h"

#include "data/accessimport.h"
#include "data/sqlitestatement.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
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

void PhotoDatabase::close()
{
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_fileName.clear();
}

static bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// Empty when the database has a readable Photos table, else the reason.
static QString photosTableProblem(sqlite3 *db)
{
    SqliteStatement check(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type IN ('table','view') "
                                             "AND name = 'Photos' COLLATE NOCASE"));
    if (!check.isValid() || !check.step())
        return check.error().isEmpty() ? QStringLiteral("not a database") : check.error();
    if (check.integer(0) == 0)
        return QStringLiteral("the database has no Photos table");
    return {};
}

bool PhotoDatabase::open(const QString &path, QString *error)
{
    close();
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
    if (sqlite3_open_v2(utf8.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        const QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close_v2(db);
        return fail(error, QStringLiteral("%1: %2").arg(path, reason));
    }
    const QString problem = photosTableProblem(db);
    if (!problem.isEmpty()) {
        sqlite3_close_v2(db);
        return fail(error, QStringLiteral("%1: %2").arg(path, problem));
    }
    m_db = db;
    m_fileName = path;
    return true;
}

namespace
{

struct TextField {
    const char *name; // lower case
    QString PhotoRecord::*field;
};
const TextField kTextFields[] = {
    {"booklabel", &PhotoRecord::bookLabel},
    {"photolabel", &PhotoRecord::photoLabel},
    {"grouplabel", &PhotoRecord::groupLabel},
    {"vegtype", &PhotoRecord::vegType},
    {"activity", &PhotoRecord::activity},
    {"firebehavefm", &PhotoRecord::fireBehaveFM},
    {"dangerratingfm", &PhotoRecord::dangerRatingFM},
    {"photopic", &PhotoRecord::photoPic},
    {"datapic", &PhotoRecord::dataPic},
};

struct NumberField {
    const char *name; // lower case
    OptionalNumber PhotoRecord::*field;
};
const NumberField kNumberFields[] = {
    {"oto3fl", &PhotoRecord::oto3FL},
    {"totalfl", &PhotoRecord::totalFL},
    {"averageduffdepth", &PhotoRecord::averageDuffDepth},
    {"averagefuelbeddepth", &PhotoRecord::averageFuelbedDepth},
};

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
                if (name == QLatin1String(f.name))
                    m_texts.push_back({c, f.field});
            for (const NumberField &f : kNumberFields)
                if (name == QLatin1String(f.name))
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
        if (c < 0 || st.isNull(c))
            return std::nullopt;
        return st.number(c);
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
        const OptionalNumber number = st.isNull(c) ? OptionalNumber() : OptionalNumber(st.number(c));
        if (name == QLatin1String("id"))
            b.id = st.integer(c);
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
    if (!st.isValid() || !st.bind(binds)) {
        if (error)
            *error = st.error();
        return false;
    }
    const PhotoColumns columns(st);
    while (st.step())
        visit(columns.read(st));
    if (!st.error().isEmpty()) {
        if (error)
            *error = st.error();
        return false;
    }
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
        return failed<std::vector<BookRecord>>(error, st.error());
    std::vector<BookRecord> result;
    while (st.step())
        result.push_back(readBook(st));
    if (!st.error().isEmpty())
        return failed<std::vector<BookRecord>>(error, st.error());
    return result;
}

std::optional<BookRecord> PhotoDatabase::bookByLabel(const QString &label, QString *error) const
{
    SqliteStatement st(m_db, QStringLiteral("SELECT * FROM Books WHERE BookLabel = ?1 COLLATE NOCASE"));
    if (!st.isValid() || !st.bind({label}))
        return failed<BookRecord>(error, st.error());
    if (!st.step())
        return failed<BookRecord>(error,
                                  st.error().isEmpty() ? QStringLiteral("no book labelled %1").arg(label) : st.error());
    return readBook(st);
}

std::optional<BookRecord> PhotoDatabase::bookById(qint64 id, QString *error) const
{
    SqliteStatement st(m_db, QStringLiteral("SELECT * FROM Books WHERE id = ?1"));
    if (!st.isValid() || !st.bind({QVariant::fromValue(id)}))
        return failed<BookRecord>(error, st.error());
    if (!st.step())
        return failed<BookRecord>(error,
                                  st.error().isEmpty() ? QStringLiteral("no book with id %1").arg(id) : st.error());
    return readBook(st);
}

std::optional<QVariantList> PhotoDatabase::column(const QString &sql, const QVariantList &binds, QString *error) const
{
    SqliteStatement st(m_db, sql);
    if (!st.isValid() || !st.bind(binds))
        return failed<QVariantList>(error, st.error());
    QVariantList values;
    while (st.step())
        values.append(st.value(0));
    if (!st.error().isEmpty())
        return failed<QVariantList>(error, st.error());
    return values;
}

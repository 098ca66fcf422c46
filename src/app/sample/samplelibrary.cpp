// SPDX-License-Identifier: GPL-3.0-or-later
// Generates the sample library's rows and writes database, code files and images.
#include "app/sample/samplelibrary.h"

#include "app/sample/samplecatalog.h"
#include "app/sample/sampleimages.h"
#include "app/sample/samplerandom.h"
#include "data/seriesdatabase.h"
#include "platform/wholefile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

namespace
{

double round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}

double round1(double v)
{
    return std::round(v * 10.0) / 10.0;
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

bool isSlashActivity(const QString &code)
{
    static const QStringList slash = {QStringLiteral("CC"),  QStringLiteral("PC"),  QStringLiteral("THN"),
                                      QStringLiteral("PCT"), QStringLiteral("SLH"), QStringLiteral("PIL"),
                                      QStringLiteral("YUM"), QStringLiteral("BD")};
    return slash.contains(code);
}

bool isBurnActivity(const QString &code)
{
    return code == QLatin1String("RX") || code == QLatin1String("WF");
}

QString makeGroupLabel(SampleRandom &rng, const QString &vegType, const QString &activity)
{
    // "Mixed conifer, true fir and pine" reads as "Mixed conifer" inside a description.
    const QString veg = SampleCatalog::describe(SampleCatalog::vegCodes(), vegType).section(QLatin1Char(','), 0, 0);
    const QString phrase = SampleCatalog::activityPhrase(activity);
    switch (rng.below(4)) {
    case 0:
        return QStringLiteral("%1, %2, plot %3").arg(veg, phrase, QString::number(rng.between(1, 12)));
    case 1:
        return QStringLiteral("%1 %2").arg(veg, phrase);
    case 2:
        return QStringLiteral("%1, %2").arg(veg, phrase);
    default:
        return QStringLiteral("%1 %2 stand %3").arg(veg, phrase, QString::number(rng.between(1, 40)));
    }
}

PhotoRecord makePhoto(SampleRandom &rng, const SampleBook &book, qint64 id, const QString &photoLabel)
{
    PhotoRecord p;
    p.id = id;
    p.bookLabel = book.label;
    p.photoLabel = photoLabel;
    p.vegType = rng.pick(book.vegTypes);
    p.activity = rng.pick(book.activities);
    p.fireBehaveFM = rng.pick(book.behaveModels);
    p.dangerRatingFM = rng.pick(book.dangerModels);
    p.groupLabel = makeGroupLabel(rng, p.vegType, p.activity);

    const bool slash = isSlashActivity(p.activity);
    const bool burned = isBurnActivity(p.activity);
    const double fineFactor = slash ? 1.6 : burned ? 0.45 : 1.0;
    std::array<double, 7> raw{};
    raw[0] = std::min(8.0, rng.uniform(0.1, 1.6) * fineFactor);
    raw[1] = std::min(8.0, rng.uniform(0.3, 3.5) * fineFactor);
    raw[2] = std::min(8.0, rng.uniform(0.4, 5.0) * fineFactor);

    double coarse = 0;
    if (slash) {
        coarse = rng.uniform(8, 60);
    } else if (burned) {
        const double u = rng.unit();
        coarse = u * u * 18;
    } else {
        const double u = rng.unit();
        coarse = 1 + u * u * 40; // most stands light, a few with heavy down wood
    }
    coarse *= book.coarseScale;
    // Larger classes hold less of the wood, as in most inventories.
    static const double shares[] = {1.0, 0.75, 0.5, 0.35};
    const int classes = book.coarseClassCount();
    std::array<double, 4> weights{};
    double weightSum = 0;
    for (int i = 0; i < classes; ++i) {
        weights[size_t(i)] = shares[i] * rng.uniform(0.4, 1.6);
        weightSum += weights[size_t(i)];
    }
    for (int i = 0; i < classes; ++i)
        raw[size_t(3 + i)] = std::min(60.0, coarse * weights[size_t(i)] / weightSum);

    double fineSum = 0;
    double totalSum = 0;
    for (size_t i = 0; i < raw.size(); ++i) {
        p.tonsPerAcreBreak[i] = round2(raw[i]);
        totalSum += raw[i];
        if (i < 3)
            fineSum += raw[i];
    }
    // Totals come from the field sheet's unrounded sums, so they may differ from the stored classes by a cent.
    p.oto3FL = round2(fineSum);
    p.totalFL = round2(totalSum);

    const double duff = rng.uniform(0, 1.8) * book.duffScale * (burned ? 0.4 : 1.0);
    p.averageDuffDepth = round1(std::min(4.0, duff));
    double bed = 0;
    if (slash)
        bed = rng.uniform(6, 30);
    else if (burned)
        bed = rng.uniform(0.5, 4);
    else
        bed = rng.uniform(1, 14) * (book.coarseScale < 0.5 ? 0.6 : 1.0);
    p.averageFuelbedDepth = round1(std::clamp(bed, 0.5, 30.0));

    const QString stem = book.label.toLower() + QLatin1Char('_') + photoLabel;
    p.photoPic = stem + QStringLiteral(".jpg");
    p.dataPic = stem + QStringLiteral("_d.jpg");
    return p;
}

// Real series data carries these flaws; the sample keeps them at fixed rows so every library shows them.
void addAwkwardCases(PhotoRecord &p, int g, int total)
{
    if (g % 37 == 5)
        p.groupLabel = QString();
    if (g % 29 == 3)
        p.averageDuffDepth.reset();
    if (g % 31 == 8)
        p.averageDuffDepth = -1;
    if (g % 41 == 12)
        p.averageFuelbedDepth.reset();
    if (g % 43 == 14)
        p.averageFuelbedDepth = -1;

    if (g % 23 == 4)
        p.vegType = p.vegType.toLower();
    if (g % 47 == 10)
        p.activity = p.activity.toLower();
    if (g % 53 == 20)
        p.dangerRatingFM = p.dangerRatingFM.toLower();

    // Codes that the code files do not list.
    if (g % 61 == 6)
        p.vegType = QStringLiteral("RF");
    if (g % 67 == 15)
        p.activity = QStringLiteral("SAL");
    if (g % 71 == 25)
        p.fireBehaveFM = QStringLiteral("14");
    if (g % 73 == 30)
        p.dangerRatingFM = QStringLiteral("M");

    if (g % 59 == 2)
        p.vegType = QString();
    if (g % 79 == 9)
        p.activity = QString();
    if (g % 83 == 16)
        p.fireBehaveFM = QString();
    if (g % 89 == 18)
        p.dangerRatingFM = QString();

    if (g == std::min(11, total - 1))
        p.dataPic = QString();
}

// Owns a prepared statement; reset between rows so one compilation serves the whole table.
class Statement
{
public:
    Statement(sqlite3 *db, const char *sql) { sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr); }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool isValid() const { return m_statement != nullptr; }
    void bind(int index, qint64 value) { sqlite3_bind_int64(m_statement, index, value); }
    void bind(int index, const OptionalNumber &value)
    {
        if (value)
            sqlite3_bind_double(m_statement, index, *value);
        else
            sqlite3_bind_null(m_statement, index);
    }
    void bind(int index, const QString &value)
    {
        if (value.isNull()) {
            sqlite3_bind_null(m_statement, index);
            return;
        }
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(m_statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    bool step()
    {
        const int rc = sqlite3_step(m_statement);
        sqlite3_reset(m_statement);
        return rc == SQLITE_DONE;
    }

private:
    sqlite3_stmt *m_statement = nullptr;
};

struct DatabaseCloser {
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};

bool writeRows(sqlite3 *db, const SampleRows &rows)
{
    if (sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr) !=
            SQLITE_OK ||
        sqlite3_exec(db, DatabaseUpdate::schema(), nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;

    Statement book(db, "INSERT INTO Books VALUES (?,?,?,?,?,?)");
    Statement photo(db, "INSERT INTO Photos VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    if (!book.isValid() || !photo.isValid())
        return false;
    for (const BookRecord &b : rows.books) {
        book.bind(1, b.id.value_or(0));
        book.bind(2, b.bookLabel);
        book.bind(3, b.bookDescription);
        book.bind(4, b.breakInches4);
        book.bind(5, b.breakInches5);
        book.bind(6, b.breakInches6);
        if (!book.step())
            return false;
    }
    for (const PhotoRecord &p : rows.photos) {
        int column = 1;
        photo.bind(column++, p.id);
        photo.bind(column++, p.bookLabel);
        photo.bind(column++, p.photoLabel);
        photo.bind(column++, p.groupLabel);
        for (const OptionalNumber &load : p.tonsPerAcreBreak)
            photo.bind(column++, load);
        photo.bind(column++, p.oto3FL);
        photo.bind(column++, p.totalFL);
        photo.bind(column++, p.averageDuffDepth);
        photo.bind(column++, p.averageFuelbedDepth);
        photo.bind(column++, p.vegType);
        photo.bind(column++, p.activity);
        photo.bind(column++, p.fireBehaveFM);
        photo.bind(column++, p.dangerRatingFM);
        photo.bind(column++, p.photoPic);
        photo.bind(column++, p.dataPic);
        if (!photo.step())
            return false;
    }
    return sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Builds the database aside and moves it into place, so a reader never meets a half-written file.
bool writeDatabase(const QString &path, const SampleRows &rows, QString *error)
{
    const QString partPath = path + QStringLiteral(".part");
    QFile::remove(partPath);
    bool ok = false;
    QString message;
    {
        sqlite3 *raw = nullptr;
        const int rc = sqlite3_open_v2(QFile::encodeName(partPath).constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
        if (rc != SQLITE_OK) {
            message = QStringLiteral("Cannot create %1: %2").arg(partPath, QString::fromUtf8(sqlite3_errmsg(raw)));
        } else {
            ok = writeRows(db.get(), rows);
            if (!ok)
                message =
                    QStringLiteral("Cannot write %1: %2").arg(partPath, QString::fromUtf8(sqlite3_errmsg(db.get())));
        }
    }
    if (ok && std::rename(QFile::encodeName(partPath).constData(), QFile::encodeName(path).constData()) != 0) {
        ok = false;
        message = QStringLiteral("Cannot replace %1").arg(path);
    }
    if (!ok) {
        QFile::remove(partPath);
        return fail(error, message);
    }
    return true;
}

QByteArray codeFileText(const CodeTable &table)
{
    QByteArray text;
    for (const CodeEntry &entry : table.entries) {
        QString description = entry.description;
        if (description.contains(QLatin1Char(',')))
            description = QLatin1Char('"') + description + QLatin1Char('"');
        text += entry.code.toLatin1() + ',' + description.toLatin1() + "\r\n";
    }
    return text;
}

bool writeFile(const QString &path, const QByteArray &contents, QString *error, bool durable = true)
{
    WholeFile::Options options;
    options.durable = durable;
    WholeFile::Failure failure;
    if (!WholeFile::write(path, contents, options, &failure))
        return fail(error, QStringLiteral("Cannot write %1: %2").arg(path, failure.description));
    return true;
}

// Hundreds of pictures that can be drawn again: not each synced to the disk.
bool writeJpeg(const QString &path, const QImage &image, QString *error)
{
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    if (!image.save(&jpeg, "JPG", 82))
        return fail(error, QStringLiteral("Cannot encode %1").arg(path));
    return writeFile(path, jpeg.data(), error, false);
}

bool writeImages(const QDir &root, const SampleRows &rows, quint32 seed, QString *error)
{
    const std::vector<SampleBook> &books = SampleCatalog::books();
    for (const PhotoRecord &p : rows.photos) {
        const auto book =
            std::find_if(books.begin(), books.end(), [&p](const SampleBook &b) { return b.label == p.bookLabel; });
        if (book == books.end())
            continue;
        const QString folder = QStringLiteral("PhotoImages/") + p.bookLabel;
        if (!root.mkpath(folder))
            return fail(error, QStringLiteral("Cannot create %1").arg(root.filePath(folder)));
        const QDir dir(root.filePath(folder));
        if (!p.photoPic.isEmpty()) {
            const QString path = dir.filePath(p.photoPic);
            if (!writeJpeg(path, SampleImages::drawPhotograph(p, *book, seed), error))
                return false;
        }
        if (!p.dataPic.isEmpty()) {
            const QString path = dir.filePath(p.dataPic);
            if (!writeJpeg(path, SampleImages::drawDataSheet(p, *book), error))
                return false;
        }
    }
    return true;
}

} // namespace

SampleRows generateSampleRows(const SampleOptions &options)
{
    SampleRows rows;
    const std::vector<SampleBook> &books = SampleCatalog::books();
    for (size_t i = 0; i < books.size(); ++i) {
        const SampleBook &b = books[i];
        rows.books.push_back({qint64(i + 1), b.label, b.description, b.breakInches4, b.breakInches5, b.breakInches6});
    }

    const int total = std::max(0, options.photos);
    const int bookCount = int(books.size());
    const int largestBook = (total + bookCount - 1) / bookCount;
    const int labelWidth = std::max(2, int(QString::number(largestBook).size()));
    SampleRandom rng(options.seed);
    rows.photos.reserve(size_t(total));
    int g = 0;
    for (int b = 0; b < bookCount; ++b) {
        const int count = total / bookCount + (b < total % bookCount ? 1 : 0);
        for (int k = 1; k <= count; ++k, ++g) {
            const QString label = QStringLiteral("%1").arg(k, labelWidth, 10, QLatin1Char('0'));
            PhotoRecord p = makePhoto(rng, books[size_t(b)], g + 1, label);
            addAwkwardCases(p, g, total);
            rows.photos.push_back(std::move(p));
        }
    }
    return rows;
}

bool writeSampleLibrary(const QString &dir, const SampleOptions &options, QString *error)
{
    if (options.photos < 0)
        return fail(error, QStringLiteral("The number of photos must not be negative."));
    if (dir.isEmpty())
        return fail(error, QStringLiteral("No folder given for the sample library."));
    QDir root(dir);
    if (!root.mkpath(QStringLiteral(".")) || !root.mkpath(QStringLiteral("data")))
        return fail(error, QStringLiteral("Cannot create the folder %1").arg(dir));

    const SampleRows rows = generateSampleRows(options);
    if (!writeCodeFiles(dir, error))
        return false;
    if (options.images && !writeImages(root, rows, options.seed, error))
        return false;
    // The database comes last: once it is in place the library is complete.
    return writeDatabase(root.filePath(QStringLiteral("Photo.mdb")), rows, error);
}

bool writeCodeFiles(const QString &dir, QString *error)
{
    QDir root(dir);
    if (!root.mkpath(QStringLiteral(".")))
        return fail(error, QStringLiteral("Cannot create the folder %1").arg(dir));
    for (const CodeTable *table : SampleCatalog::codeTables()) {
        if (!writeFile(root.filePath(table->fileName), codeFileText(*table), error))
            return false;
    }
    return true;
}

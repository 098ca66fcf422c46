// SPDX-License-Identifier: GPL-3.0-or-later
// Matching a stand: the ranking against values worked by hand, and the summary of the listed photos.
#include "data/photomatch.h"
#include "data/photosummary.h"

#include <QtTest>

#include <cmath>

namespace
{

// A photo whose fine and coarse loadings and fuel-bed depth are e^t - 1 for the given t, so that ln(1 + v) is t.
PhotoRecord photo(qint64 id, const QString &label, std::optional<double> fineT, std::optional<double> coarseT,
                  OptionalNumber duff, std::optional<double> bedT)
{
    const auto value = [](std::optional<double> t) { return t ? OptionalNumber(std::expm1(*t)) : std::nullopt; };
    PhotoRecord p;
    p.id = id;
    p.bookLabel = label.section(QLatin1Char('/'), 0, 0);
    p.photoLabel = label.section(QLatin1Char('/'), 1);
    p.tonsPerAcreBreak = {value(fineT), 0.0, 0.0, value(coarseT), 0.0, 0.0, 0.0};
    p.averageDuffDepth = duff;
    p.averageFuelbedDepth = value(bedT);
    return p;
}

// Fine t: 0 1 2 1 (s = sqrt(1/2)); coarse t: 0 2 1 and one null class (s = sqrt(2/3)); duff: 1, not measured,
// null, 2; fuel bed t: 0 1 1 1 (s = sqrt(3/16)).
std::vector<PhotoRecord> photos()
{
    return {photo(1, "B/01", 0, 0, 1.0, 0), photo(2, "B/02", 1, 2, -1.0, 1), photo(3, "A/03", 2, 1, std::nullopt, 1),
            photo(4, "B/04", 1, std::nullopt, 2.0, 1)};
}

} // namespace

class TestPhotoMatch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rank_handWorked_data();
    void rank_handWorked();
    void summary_listedValues_data();
    void summary_listedValues();
};

void TestPhotoMatch::rank_handWorked_data()
{
    QTest::addColumn<QVariantList>("query"); // fine, coarse, duff, bed as shown; invalid: left out
    QTest::addColumn<bool>("metric");
    QTest::addColumn<qint64>("exclude");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QList<double>>("distances");
    QTest::addColumn<int>("leftOut");
    const QVariant none;
    const double e1 = std::expm1(1.0);
    // Photo B/02 against the others: fine, coarse and fuel bed used (its duff is not measured). A/03: fine
    // (2-1)^2/(1/2) = 2, coarse (1-2)^2/(2/3) = 1.5, bed 0, so d = sqrt(3.5/3); B/01: 2 + 6 + 16/3, d = sqrt(40/9);
    // B/04 lacks the coarse loading.
    QTest::newRow("a photo: its own values, itself left out")
        << QVariantList{e1, std::expm1(2.0), none, e1} << false << qint64(2) << QStringList{"A/03", "B/01"}
        << QList<double>{std::sqrt(3.5 / 3), std::sqrt(40.0 / 9)} << 1;
    // Fine alone: B/02 and B/04 at 0, A/03 and B/01 at sqrt(2), ties in label order.
    QTest::newRow("typed fine only, ties by label")
        << QVariantList{e1, none, none, none} << false << qint64(0) << QStringList{"B/02", "B/04", "A/03", "B/01"}
        << QList<double>{0, 0, std::sqrt(2.0), std::sqrt(2.0)} << 0;
    QTest::newRow("the same typed in Mg/ha ranks the same")
        << QVariantList{e1 * UnitConversion::kMegagramsPerHectarePerTonPerAcre, none, none, none} << true << qint64(0)
        << QStringList{"B/02", "B/04", "A/03", "B/01"} << QList<double>{0, 0, std::sqrt(2.0), std::sqrt(2.0)} << 0;
    // Duff: ln 2 and ln 3 over the two measured photos; a query of 1 inch gives B/01 0 and B/04 (ln3-ln2)/s = 2.
    QTest::newRow("duff: photos not measured or null left out")
        << QVariantList{none, none, 1.0, none} << false << qint64(0) << QStringList{"B/01", "B/04"}
        << QList<double>{0, 2} << 2;
    QTest::newRow("a negative typed depth is no value")
        << QVariantList{none, none, -1.0, none} << false << qint64(0) << QStringList{} << QList<double>{} << 0;
}

void TestPhotoMatch::rank_handWorked()
{
    QFETCH(QVariantList, query);
    QFETCH(bool, metric);
    QFETCH(qint64, exclude);
    QFETCH(QStringList, order);
    QFETCH(QList<double>, distances);
    QFETCH(int, leftOut);
    PhotoMatch::Values typed;
    for (int m = 0; m < PhotoMatch::MeasureCount; ++m) {
        if (query[m].isValid())
            typed[size_t(m)] = query[m].toDouble();
    }
    const std::vector<PhotoRecord> all = photos();
    const PhotoMatch::Ranking ranking =
        PhotoMatch::rank(all, PhotoMatch::storedValues(typed, metric ? Units::Metric : Units::Imperial),
                         PhotoMatch::spreadOf(all), exclude ? std::optional<qint64>(exclude) : std::nullopt);
    QCOMPARE(ranking.usable(), !order.isEmpty());
    QStringList labels;
    for (const PhotoMatch::Ranked &r : ranking.photos)
        labels << all[size_t(r.index)].label();
    QCOMPARE(labels, order);
    for (int i = 0; i < distances.size(); ++i)
        QVERIFY2(std::fabs(ranking.photos[size_t(i)].distance - distances[i]) < 1e-12, qPrintable(labels[i]));
    QCOMPARE(ranking.leftOut, leftOut);
}

void TestPhotoMatch::summary_listedValues_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<int>("measure");
    QTest::addColumn<QList<double>>("expected"); // count, min, median, mean, max
    const double f = UnitConversion::kMegagramsPerHectarePerTonPerAcre;
    // Fine loadings 1, 2, 3, 4 and a null class: an even count, the median between the middle two.
    QTest::newRow("fine, even count") << false << int(PhotoSummary::Fine) << QList<double>{4, 1, 2.5, 2.5, 4};
    QTest::newRow("fine in Mg/ha") << true << int(PhotoSummary::Fine) << QList<double>{4, f, 2.5 * f, 2.5 * f, 4 * f};
    // Duff 3, not measured, 1, 2, null: "n/a" is no number.
    QTest::newRow("duff, odd count, n/a left out") << false << int(PhotoSummary::Duff) << QList<double>{3, 1, 2, 2, 3};
    QTest::newRow("fuel bed in cm") << true << int(PhotoSummary::Bed)
                                    << QList<double>{1, 0.5 * 2.54, 0.5 * 2.54, 0.5 * 2.54, 0.5 * 2.54};
    QTest::newRow("total") << false << int(PhotoSummary::Total) << QList<double>{4, 3, 4.5, 4.5, 6};
}

void TestPhotoMatch::summary_listedValues()
{
    QFETCH(bool, metric);
    QFETCH(int, measure);
    QFETCH(QList<double>, expected);
    std::vector<PhotoRecord> listed(5);
    const OptionalNumber fine[] = {4.0, 1.0, std::nullopt, 3.0, 2.0};
    const OptionalNumber duff[] = {3.0, -1.0, 1.0, 2.0, std::nullopt};
    for (size_t i = 0; i < listed.size(); ++i) {
        listed[i].tonsPerAcreBreak = {fine[i], 0.0, 0.0, 2.0, 0.0, 0.0, 0.0};
        listed[i].averageDuffDepth = duff[i];
        listed[i].averageFuelbedDepth = i == 0 ? OptionalNumber(0.5) : std::nullopt;
    }
    std::vector<const PhotoRecord *> pointers;
    for (const PhotoRecord &p : listed)
        pointers.push_back(&p);
    const PhotoSummary::Row row =
        PhotoSummary::summarize(pointers, metric ? Units::Metric : Units::Imperial)[size_t(measure)];
    const QList<double> actual{double(row.count), row.min, row.median, row.mean, row.max};
    for (int i = 0; i < actual.size(); ++i)
        QVERIFY2(std::fabs(actual[i] - expected[i]) < 1e-12, qPrintable(QString::number(i)));
}

QTEST_GUILESS_MAIN(TestPhotoMatch)
#include "tst_photomatch.moc"

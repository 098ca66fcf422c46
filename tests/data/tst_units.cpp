// SPDX-License-Identifier: GPL-3.0-or-later
// Metric units: the conversions both ways, and every value shown in them (list, data sheet, graph, query ranges).
#include "data/photodatabase.h"
#include "data/querybuilder.h"
#include "data/queryparameters.h"
#include "data/resultsmodel.h"
#include "data/units.h"
#include "present/datasheet.h"
#include "profile/fuelprofile.h"
#include "querylibrary.h"

#include <QTemporaryDir>
#include <QtTest>

class TestUnits : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void conversions_bothWays_data();
    void conversions_bothWays();
    void centimetres_labelText_data();
    void centimetres_labelText();
    void list_metricTextsAndHeaders();
    void dataSheet_metricRowsKeepTheirRules();
    void profile_shownInMetricStoredAsIs();
    void query_photoOnAShownBoundIsFound();
};

void TestUnits::conversions_bothWays_data()
{
    QTest::addColumn<double>("stored");
    QTest::addColumn<double>("loading"); // Mg/ha
    QTest::addColumn<double>("length");  // cm
    QTest::newRow("zero") << 0.0 << 0.0 << 0.0;
    QTest::newRow("one") << 1.0 << 2.241702 << 2.54;
    QTest::newRow("a typical total") << 12.34 << 27.66260268 << 31.3436;
    QTest::newRow("not measured stays negative") << -1.0 << -2.241702 << -2.54;
    QTest::newRow("a large value") << 250.0 << 560.4255 << 635.0;
}

void TestUnits::conversions_bothWays()
{
    QFETCH(double, stored);
    QFETCH(double, loading);
    QFETCH(double, length);
    QVERIFY(qFuzzyCompare(1 + UnitConversion::loading(stored, Units::Metric), 1 + loading));
    QVERIFY(qFuzzyCompare(1 + UnitConversion::length(stored, Units::Metric), 1 + length));
    QVERIFY(qFuzzyCompare(1 + UnitConversion::tonsPerAcre(loading, Units::Metric), 1 + stored));
    QVERIFY(qFuzzyCompare(1 + UnitConversion::inches(length, Units::Metric), 1 + stored));
    QCOMPARE(UnitConversion::loading(stored, Units::Imperial), stored);
    QCOMPARE(UnitConversion::inches(stored, Units::Imperial), stored);
    QVERIFY(!UnitConversion::loading(OptionalNumber(), Units::Metric));
}

void TestUnits::centimetres_labelText_data()
{
    QTest::addColumn<double>("inches");
    QTest::addColumn<QString>("text");
    QTest::newRow("3 inches") << 3.0 << "7.62";
    QTest::newRow("a bound less a tenth") << 8.9 << "22.61";
    QTest::newRow("whole") << 50.0 << "127";
    QTest::newRow("one decimal") << 0.25 << "0.64";
}

void TestUnits::centimetres_labelText()
{
    QFETCH(double, inches);
    QFETCH(QString, text);
    QCOMPARE(UnitConversion::centimetres(inches), text);
}

namespace
{
PhotoRecord photo()
{
    PhotoRecord p;
    p.id = 7;
    p.bookLabel = QStringLiteral("B");
    p.photoLabel = QStringLiteral("1");
    p.tonsPerAcreBreak = {1.0, 2.0, 0.5, 4.0, 1.0, 0.0, 0.0};
    p.oto3FL = 3.5;
    p.totalFL = 8.5;
    p.averageDuffDepth = 1.5;
    p.averageFuelbedDepth = -1;
    return p;
}
} // namespace

void TestUnits::list_metricTextsAndHeaders()
{
    const PhotoRecord p = photo();
    QCOMPARE(ResultsModel::cellText(p, ResultsModel::Fine, Units::Metric), QStringLiteral("7.85")); // 3.5 t/ac
    QCOMPARE(ResultsModel::cellText(p, ResultsModel::Total, Units::Metric), QStringLiteral("19.05"));
    QCOMPARE(ResultsModel::cellText(p, ResultsModel::DuffDepth, Units::Metric), QStringLiteral("3.8"));
    QCOMPARE(ResultsModel::cellText(p, ResultsModel::FuelBedDepth, Units::Metric), QStringLiteral("n/a"));
    QCOMPARE(ResultsModel::cellText(p, ResultsModel::TotalSort, Units::Metric), QStringLiteral("000019.05"));
    QCOMPARE(ResultsModel::cellText(p, ResultsModel::Fine), QStringLiteral("3.50"));
    QCOMPARE(ResultsModel::headerText(ResultsModel::Total, Units::Metric), QStringLiteral("Total (Mg/ha)"));
    QCOMPARE(ResultsModel::headerText(ResultsModel::DuffDepth, Units::Metric), QStringLiteral("Duff Depth (cm)"));
    QCOMPARE(ResultsModel::headerText(ResultsModel::BookPhotoId, Units::Metric), QStringLiteral("Book/Photo ID"));
    PhotoRecord empty;
    QVERIFY(ResultsModel::cellText(empty, ResultsModel::Total, Units::Metric).isEmpty());
}

void TestUnits::dataSheet_metricRowsKeepTheirRules()
{
    BookRecord book;
    book.breakInches4 = 9;
    const DataSheet sheet = BuildDataSheet(photo(), book, Units::Metric);
    QCOMPARE(sheet.rows, 13);
    QCOMPARE(sheet.units, Units::Metric);
    QCOMPARE(sheet.cell(0, 0), QStringLiteral("Average Duff Depth (cm)"));
    QCOMPARE(sheet.cell(0, 1), QStringLiteral("3.81"));
    QCOMPARE(sheet.cell(1, 1), QStringLiteral("n/a"));
    QCOMPARE(sheet.cell(4, 0), QStringLiteral("Loading (Mg/ha)"));
    QCOMPARE(sheet.cell(5, 0).trimmed(), QStringLiteral("0-0.61 cm"));
    QCOMPARE(sheet.cell(5, 1), QStringLiteral("2.24"));
    QCOMPARE(sheet.cell(8, 0).trimmed(), QStringLiteral("7.62-22.61 cm"));
    QCOMPARE(sheet.cell(9, 0).trimmed(), QStringLiteral("22.86 cm +"));
    QCOMPARE(sheet.cell(12, 1), QStringLiteral("19.05"));
    const std::vector<GraphSeries> series = loadingGraphSeries(sheet);
    QCOMPARE(series.front().legend, QStringLiteral("0-0.61 cm Mg/ha: 2.24"));
    QCOMPARE(series.back().legend, QStringLiteral("22.86 cm +  Mg/ha: 2.24"));
    QCOMPARE(GraphTexts::valueAxisTitle(sheet.units), QStringLiteral("Megagrams Per Hectare"));
    // In the original units nothing changed.
    QCOMPARE(BuildDataSheet(photo(), book).cell(8, 0).trimmed(), QStringLiteral("3\"- 8.9\""));
}

void TestUnits::profile_shownInMetricStoredAsIs()
{
    FuelProfile p;
    p.Tpa1 = 1.04;
    p.Tpa2 = 2.03;
    p.Tpa3 = 0.02;
    p.Load3Plus = 12.3;
    p.DuffDepth = -1;
    p.FuelBedDepth = 2.5;
    const ProfileDisplay d = profileDisplay(p, QStringLiteral("Untitled"), Units::Metric);
    QCOMPARE(d.lblPro0to3, QStringLiteral("6.9"));
    QCOMPARE(d.lblPro3Plus, QStringLiteral("27.6"));
    QCOMPARE(d.lblProTotal, QStringLiteral("34.5"));
    QCOMPARE(d.lblProDuff, QStringLiteral("no data"));
    QCOMPARE(d.lblProFuelBed, QStringLiteral("6.4"));
}

void TestUnits::query_photoOnAShownBoundIsFound()
{
    QTemporaryDir dir;
    // Totals of 2, 4.46, 5 t/ac: 4.46 t/ac is 9.998 Mg/ha, shown as 10.00.
    QVERIFY(QueryLibrary::write(dir.path(),
                                {"1, 'B', 1, 1, 2, 'AB', 'X', '1', 'T'", "2, 'B', 2, 2.46, 4.46, 'AB', 'X', '1', 'T'",
                                 "3, 'B', 4, 1, 5, 'AB', 'X', '1', 'T'"},
                                {"10, 'B', 'Book'"}));
    PhotoDatabase database;
    QVERIFY(database.open(dir.filePath(QStringLiteral("Photo.mdb"))));
    QueryCriteria c;
    c.units = Units::Metric;
    c.totalFrom = QStringLiteral("0");
    c.totalTo = QStringLiteral("10");
    const std::optional<PhotoSet> found = QueryBuilder::select(database, QueryCriteria::TotalLoad, c);
    QVERIFY(found);
    QCOMPARE(found->size(), size_t(2)); // 4.48 and 9.998 Mg/ha; 11.2 is not
    c.totalTo = QStringLiteral("9");
    QCOMPARE(QueryBuilder::select(database, QueryCriteria::TotalLoad, c)->size(), size_t(1));
    // The range lists count in Mg/ha: 5 t/ac is 11.2 Mg/ha, so the list runs to 15.
    const QueryParameters metric = QueryParameters::load(database, dir.path(), nullptr, Units::Metric);
    QCOMPARE(metric.ranges[QueryParameters::TotalLoad].last().trimmed(), QStringLiteral("14"));
    const QueryParameters imperial = QueryParameters::load(database, dir.path());
    QCOMPARE(imperial.ranges[QueryParameters::TotalLoad].last().trimmed(), QStringLiteral("8"));
}

QTEST_GUILESS_MAIN(TestUnits)
#include "tst_units.moc"

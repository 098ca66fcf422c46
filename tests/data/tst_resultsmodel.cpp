// SPDX-License-Identifier: GPL-3.0-or-later
// The results list model: the texts of each column, the key, and sorting on header clicks.
#include "data/itemroles.h"
#include "data/photodatabase.h"
#include "data/resultsmodel.h"
#include "testsupport.h"

#include <QAbstractItemModelTester>
#include <QtTest>

namespace
{
PhotoRecord photo(qint64 id, std::optional<double> duff, std::optional<double> fuelbed, double fine = 1)
{
    PhotoRecord p;
    p.id = id;
    p.bookLabel = QStringLiteral("B");
    p.photoLabel = QString::number(id);
    p.tonsPerAcreBreak = {fine, 0.0, 0.0, 2.0, 0.0, 0.0, 0.0};
    p.averageDuffDepth = duff;
    p.averageFuelbedDepth = fuelbed;
    return p;
}

QStringList column(const ResultsModel &model, int c)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, c).data().toString();
    return texts;
}
} // namespace

class TestResultsModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void headers_areTheListsColumns();
    void cells_fixtureRow_matchListTexts();
    void cells_depths_naAndEmptyRules();
    void sort_headerClicks_toggleOrderEveryClick();
    void sort_notMeasuredDepths_sortAsTheirTexts();
    void fill_emptySet_hasNoRows();
    void modelTester_fillSortAppend_consistent();
    void filter_words_data();
    void filter_words();
    void filter_keepsSortOrderAndNewSetClearsIt();
};

void TestResultsModel::headers_areTheListsColumns()
{
    ResultsModel model;
    QCOMPARE(model.columnCount(), 19);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Book/Photo ID"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("0.\" to 2.9\""));
    QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("3+\""));
    QCOMPARE(model.headerData(18, Qt::Horizontal).toString(), QStringLiteral("FuelBedSort"));
    QVERIFY(ResultsModel::isHidden(ResultsModel::Picture));
    QVERIFY(!ResultsModel::isHidden(ResultsModel::DrFuelModel));
    QCOMPARE(ResultsModel::widthTwips(ResultsModel::Description), 3750);
    QVERIFY(ResultsModel::isRightAligned(ResultsModel::Total));
    QVERIFY(!ResultsModel::isRightAligned(ResultsModel::VegType));
}

void TestResultsModel::cells_fixtureRow_matchListTexts()
{
    PhotoDatabase db;
    QVERIFY(db.open(TestSupport::dataPath("fixtures/photo_jet4.mdb")));
    ResultsModel model;
    model.FillResultsList(std::make_shared<PhotoSet>(*db.selectPhotos()));
    QCOMPARE(model.rowCount(), 40);
    const QStringList expected{"SW-01/01",
                               "DF stand, plot 1",
                               "5.67",
                               "4.16",
                               "9.83",
                               "2.0",
                               "21.7",
                               "PP",
                               "QQ",
                               "6",
                               "T",
                               "sw-01_01.jpg",
                               "sw-01_01d.jpg",
                               "00005.67",
                               "000004.16",
                               "000009.83",
                               "SW-01",
                               "00002.0",
                               "00021.7"};
    for (int c = 0; c < 19; ++c)
        QCOMPARE(model.index(0, c).data().toString(), expected.at(c));
    QCOMPARE(model.index(0, 0).data(ItemRoles::KeyRole).toString(), QStringLiteral("P1"));
    QCOMPARE(model.index(3, ResultsModel::DuffDepth).data().toString(), QStringLiteral("n/a"));
}

void TestResultsModel::cells_depths_naAndEmptyRules()
{
    const PhotoRecord notMeasured = photo(1, -1.0, -1.0);
    QCOMPARE(ResultsModel::cellText(notMeasured, ResultsModel::DuffDepth), QStringLiteral("n/a"));
    QCOMPARE(ResultsModel::cellText(notMeasured, ResultsModel::DuffSort), QStringLiteral("n/a"));
    QCOMPARE(ResultsModel::cellText(notMeasured, ResultsModel::FuelBedDepth), QStringLiteral("n/a"));
    QCOMPARE(ResultsModel::cellText(notMeasured, ResultsModel::FuelBedSort), QString());
    const PhotoRecord nulls = photo(2, std::nullopt, std::nullopt);
    QCOMPARE(ResultsModel::cellText(nulls, ResultsModel::DuffDepth), QString());
    QCOMPARE(ResultsModel::cellText(nulls, ResultsModel::FuelBedSort), QString());
    PhotoRecord nullLoad = photo(3, 1.0, 1.0);
    nullLoad.tonsPerAcreBreak[5].reset();
    QCOMPARE(ResultsModel::cellText(nullLoad, ResultsModel::Coarse), QString());
    QCOMPARE(ResultsModel::cellText(nullLoad, ResultsModel::Fine), QStringLiteral("1.00"));
}

void TestResultsModel::sort_headerClicks_toggleOrderEveryClick()
{
    ResultsModel model;
    model.FillResultsList(std::make_shared<PhotoSet>(
        PhotoSet{photo(1, 1.0, 1.0, 10.5), photo(2, 1.0, 1.0, 2.25), photo(3, 1.0, 1.0, 100)}));
    model.columnClicked(ResultsModel::Fine);
    QCOMPARE(column(model, ResultsModel::Fine), (QStringList{"2.25", "10.50", "100.00"}));
    model.columnClicked(ResultsModel::Fine);
    QCOMPARE(column(model, ResultsModel::Fine), (QStringList{"100.00", "10.50", "2.25"}));
    // after a descending sort a click on another column sorts it ascending
    model.columnClicked(ResultsModel::BookPhotoId);
    QCOMPARE(model.sortOrder(), Qt::AscendingOrder);
    QCOMPARE(column(model, 0), (QStringList{"B/1", "B/2", "B/3"}));
}

void TestResultsModel::sort_notMeasuredDepths_sortAsTheirTexts()
{
    ResultsModel model;
    model.FillResultsList(
        std::make_shared<PhotoSet>(PhotoSet{photo(1, -1.0, -1.0), photo(2, 3.0, 12.0), photo(3, 0.5, 2.0)}));
    model.columnClicked(ResultsModel::DuffDepth); // ascending
    QCOMPARE(column(model, ResultsModel::DuffDepth), (QStringList{"0.5", "3.0", "n/a"}));
    model.sort(ResultsModel::FuelBedDepth, Qt::AscendingOrder);
    QCOMPARE(column(model, ResultsModel::FuelBedDepth), (QStringList{"n/a", "2.0", "12.0"}));
}

void TestResultsModel::fill_emptySet_hasNoRows()
{
    ResultsModel model;
    model.FillResultsList(std::make_shared<PhotoSet>(PhotoSet{photo(1, 1.0, 1.0)}));
    model.FillResultsList(nullptr);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.photoAt(0));
}

void TestResultsModel::modelTester_fillSortAppend_consistent()
{
    ResultsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.FillResultsList(std::make_shared<PhotoSet>(PhotoSet{photo(5, 1.0, 1.0, 3), photo(6, 2.0, 2.0, 1)}));
    model.columnClicked(ResultsModel::Total);
    model.appendPhotos(PhotoSet{photo(9, 1.0, 1.0)});
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.rowOfKey(QStringLiteral("P9")), 2);
    QCOMPARE(model.rowOfLabel(QStringLiteral("B/5")), 1);
}

void TestResultsModel::filter_words_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown"); // labels
    QTest::newRow("empty: the whole set") << "" << QStringList{"PNW-01/1", "PNW-01/2", "SW/10"};
    QTest::newRow("blanks only") << "   " << QStringList{"PNW-01/1", "PNW-01/2", "SW/10"};
    QTest::newRow("label, other case") << "pnw-01/2" << QStringList{"PNW-01/2"};
    QTest::newRow("part of a label") << "01/" << QStringList{"PNW-01/1", "PNW-01/2"};
    QTest::newRow("description") << "thinning" << QStringList{"PNW-01/2"};
    QTest::newRow("vegetation code") << "DF" << QStringList{"PNW-01/1"};
    QTest::newRow("vegetation name from the code file") << "ponderosa" << QStringList{"PNW-01/2", "SW/10"};
    QTest::newRow("fuel model name") << "timber litter" << QStringList{"SW/10"};
    QTest::newRow("every word must be there") << "ponderosa slash" << QStringList{"PNW-01/2"};
    QTest::newRow("no photo") << "aspen" << QStringList{};
}

void TestResultsModel::filter_words()
{
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    auto set = std::make_shared<PhotoSet>();
    PhotoRecord a = photo(1, 1.0, 2.0);
    a.bookLabel = QStringLiteral("PNW-01");
    a.vegType = QStringLiteral("DF");
    a.groupLabel = QStringLiteral("Douglas-fir natural fuels");
    PhotoRecord b = photo(2, 1.0, 2.0);
    b.bookLabel = QStringLiteral("PNW-01");
    b.vegType = QStringLiteral("PP");
    b.activity = QStringLiteral("SL");
    b.groupLabel = QStringLiteral("Ponderosa pine, thinning slash");
    PhotoRecord c = photo(10, 1.0, 2.0);
    c.bookLabel = QStringLiteral("SW");
    c.vegType = QStringLiteral("PP");
    c.fireBehaveFM = QStringLiteral("9");
    *set = {a, b, c};
    ResultsModel model;
    QAbstractItemModelTester tester(&model);
    model.FillResultsList(set);
    PhotoFilter::CodeTexts texts;
    texts[0].insert(QStringLiteral("PP"), QStringLiteral("PP-Ponderosa pine"));
    texts[0].insert(QStringLiteral("DF"), QStringLiteral("DF-Douglas-fir"));
    texts[1].insert(QStringLiteral("SL"), QStringLiteral("SL-Slash"));
    texts[3].insert(QStringLiteral("9"), QStringLiteral("9-Hardwood or long-needle timber litter"));
    model.setCodeTexts(texts);
    model.setFilterText(text);
    QCOMPARE(column(model, ResultsModel::BookPhotoId), shown);
    QCOMPARE(model.photoCount(), 3);
}

void TestResultsModel::filter_keepsSortOrderAndNewSetClearsIt()
{
    auto set = std::make_shared<PhotoSet>();
    for (int i = 1; i <= 6; ++i)
        set->push_back(photo(i, 1.0, 2.0, double(7 - i)));
    ResultsModel model;
    QAbstractItemModelTester tester(&model);
    model.FillResultsList(set);
    model.sort(ResultsModel::Fine, Qt::AscendingOrder); // 6, 5, ..., 1
    model.prepareFilter();                              // the search texts made on another thread meanwhile
    model.setFilterText(QStringLiteral("B/"));
    QCOMPARE(model.rowCount(), 6);
    model.setFilterText(QStringLiteral("b/2"));
    QCOMPARE(column(model, 0), QStringList{"B/2"});
    model.setFilterText(QString());
    QCOMPARE(column(model, 0), (QStringList{"B/6", "B/5", "B/4", "B/3", "B/2", "B/1"}));
    // Sorted while filtered: the whole order changes, the filter stays.
    model.setFilterText(QStringLiteral("B/1"));
    model.sort(ResultsModel::Fine, Qt::DescendingOrder);
    QCOMPARE(column(model, 0), QStringList{"B/1"});
    model.setFilterText(QString());
    QCOMPARE(column(model, 0).first(), QStringLiteral("B/1"));
    // A photo asked for (a source photo) is listed whatever the filter says.
    model.setFilterText(QStringLiteral("B/1"));
    model.appendPhotos({photo(9, 1.0, 2.0)});
    QCOMPARE(column(model, 0), (QStringList{"B/1", "B/9"}));
    model.FillResultsList(set);
    QVERIFY(model.filterText().isEmpty());
    QCOMPARE(model.rowCount(), 6);
}

QTEST_GUILESS_MAIN(TestResultsModel)
#include "tst_resultsmodel.moc"

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

QTEST_GUILESS_MAIN(TestResultsModel)
#include "tst_resultsmodel.moc"

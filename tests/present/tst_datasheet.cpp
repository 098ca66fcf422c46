// SPDX-License-Identifier: GPL-3.0-or-later
// Data sheet rows, graph series and the Assistant summary for the four size-class layouts of the fixture.
#include "data/photodatabase.h"
#include "present/datasheet.h"
#include "present/photodata.h"
#include "present/photoslots.h"
#include "testsupport.h"

#include <QtTest>

namespace
{
const QString kIndent(20, QLatin1Char(' '));
}

class TestDataSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void rows_followTheBookBounds_data();
    void rows_followTheBookBounds();
    void fixedRows_showDepthsTypesAndFineClasses();
    void negativeDepth_showsNotAvailable();
    void nullValues_stayEmptyCells();
    void missingBook_givesOneCoarseClass();
    void gridServing_endsAtTheRowsInUse();
    void graphSeries_followTheSheet_data();
    void graphSeries_followTheSheet();
    void graphSeries_readNotAvailableAsZero();
    void graphTicks_roundStepsUpToTheTop_data();
    void graphTicks_roundStepsUpToTheTop();
    void summary_comparesBothSlots_data();
    void summary_comparesBothSlots();
    void summary_currentSlotLabels();
    void read_photoGone_fails();
    void photoByLabel_wholeText_data();
    void photoByLabel_wholeText();

private:
    PhotoSlotState fromFixture(qint64 id);
    PhotoDatabase m_db;
};

void TestDataSheet::initTestCase()
{
    QString error;
    QVERIFY2(m_db.open(TestSupport::dataPath(QStringLiteral("fixtures/photo_jet4.mdb")), &error), qPrintable(error));
}

PhotoSlotState TestDataSheet::fromFixture(qint64 id)
{
    QString error;
    std::optional<PhotoSlotState> state = PhotoData::read(m_db, id, &error);
    if (!state)
        qFatal("photo %lld: %s", id, qPrintable(error));
    return *state;
}

void TestDataSheet::rows_followTheBookBounds_data()
{
    QTest::addColumn<qint64>("id");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("classLabels"); // rows 8 onward, without the indentation
    QTest::addColumn<QStringList>("classValues");
    QTest::addColumn<QStringList>("totals");

    QTest::newRow("SW-01 no bounds: 12 rows")
        << qint64(1) << 12 << QStringList{QStringLiteral("3\"+")} << QStringList{QStringLiteral("4.16")}
        << QStringList{QStringLiteral("5.67"), QStringLiteral("4.16"), QStringLiteral("9.83")};
    QTest::newRow("RM-03 one bound: 13 rows")
        << qint64(17) << 13 << QStringList{QStringLiteral("3\"- 5.9\"  "), QStringLiteral("6\" + ")}
        << QStringList{QStringLiteral("10.32"), QStringLiteral("13.91")}
        << QStringList{QStringLiteral("7.62"), QStringLiteral("24.23"), QStringLiteral("31.85")};
    QTest::newRow("CP-05 two bounds: 14 rows")
        << qint64(33) << 14
        << QStringList{QStringLiteral("3\"- 4.9\"  "), QStringLiteral("5\"- 9.9\"  "), QStringLiteral("10\" + ")}
        << QStringList{QStringLiteral("2.41"), QStringLiteral("6.52"), QStringLiteral("12.78")}
        << QStringList{QStringLiteral("5.91"), QStringLiteral("21.71"), QStringLiteral("27.62")};
    QTest::newRow("PN-02 two bounds: 14 rows")
        << qint64(9) << 14
        << QStringList{QStringLiteral("3\"- 8.9\"  "), QStringLiteral("9\"- 19.9\"  "), QStringLiteral("20\" + ")}
        << QStringList{QStringLiteral("12.99"), QStringLiteral("12.16"), QStringLiteral("10.52")}
        << QStringList{QStringLiteral("2.28"), QStringLiteral("35.67"), QStringLiteral("37.95")};
    QTest::newRow("SE-04 three bounds: 15 rows")
        << qint64(25) << 15
        << QStringList{QStringLiteral("3\"- 8.9\"  "), QStringLiteral("9\"- 19.9\"  "),
                       QStringLiteral("20\"- 34.9\"  "), QStringLiteral("35\" + ")}
        << QStringList{QStringLiteral("6.35"), QStringLiteral("1.31"), QStringLiteral("15.07"), QStringLiteral("4.15")}
        << QStringList{QStringLiteral("6.04"), QStringLiteral("26.88"), QStringLiteral("32.92")};
}

void TestDataSheet::rows_followTheBookBounds()
{
    QFETCH(qint64, id);
    QFETCH(int, rows);
    QFETCH(QStringList, classLabels);
    QFETCH(QStringList, classValues);
    QFETCH(QStringList, totals);

    const DataSheet sheet = fromFixture(id).sheet;
    QCOMPARE(sheet.rows, rows);
    for (int i = 0; i < classLabels.size(); ++i) {
        QCOMPARE(sheet.cell(8 + i, 0), kIndent + classLabels.at(i));
        QCOMPARE(sheet.cell(8 + i, 1), classValues.at(i));
    }
    QCOMPARE(8 + classLabels.size(), rows - 3);
    QCOMPARE(sheet.cell(rows - 3, 0), kIndent + QStringLiteral("Total 0\"-3\" "));
    QCOMPARE(sheet.cell(rows - 2, 0), kIndent + QStringLiteral("Total 3\"+  "));
    QCOMPARE(sheet.cell(rows - 1, 0), kIndent + QStringLiteral("Total "));
    // The coarse total is TotalFL - Oto3FL, not the sum of the class rows.
    for (int i = 0; i < 3; ++i)
        QCOMPARE(sheet.cell(rows - 3 + i, 1), totals.at(i));
}

void TestDataSheet::fixedRows_showDepthsTypesAndFineClasses()
{
    const DataSheet sheet = fromFixture(25).sheet;
    const QStringList labels{QStringLiteral("Average Duff Depth (In.)"), QStringLiteral("Average Fuelbed Depth (In.)"),
                             QStringLiteral("Vegetation Type"),          QStringLiteral("Activity Type"),
                             QStringLiteral("Loading (Tons per acre)"),  kIndent + QStringLiteral("0\"-.24\""),
                             kIndent + QStringLiteral(".25\"-.9\""),     kIndent + QStringLiteral("1\"-2.9\"")};
    const QStringList values{
        QStringLiteral("1.40"), QStringLiteral("13.70"), QStringLiteral("wh"),  QStringLiteral(" SLH"), QString(),
        QStringLiteral("0.63"), QStringLiteral("3.39"),  QStringLiteral("2.02")};
    for (int r = 0; r < labels.size(); ++r) {
        QCOMPARE(sheet.cell(r, 0), labels.at(r));
        QCOMPARE(sheet.cell(r, 1), values.at(r));
    }
}

void TestDataSheet::negativeDepth_showsNotAvailable()
{
    QCOMPARE(fromFixture(4).sheet.cell(0, 1), QStringLiteral("n/a")); // duff -1
    QCOMPARE(fromFixture(6).sheet.cell(1, 1), QStringLiteral("n/a")); // fuel bed -1
    QCOMPARE(fromFixture(6).sheet.cell(0, 1), QStringLiteral("2.50"));
}

void TestDataSheet::nullValues_stayEmptyCells()
{
    PhotoRecord photo;
    photo.bookLabel = QStringLiteral("X");
    photo.photoLabel = QStringLiteral("1");
    BookRecord book;
    book.breakInches4 = 6;
    book.breakInches5 = 0;
    book.breakInches6 = 0;
    const DataSheet sheet = BuildDataSheet(photo, book);
    QCOMPARE(sheet.rows, 13);
    for (int r = 0; r < sheet.rows; ++r) {
        if (r == 3) {
            QCOMPARE(sheet.cell(r, 1), QStringLiteral(" ")); // an empty Activity is one blank
            continue;
        }
        QVERIFY2(sheet.cell(r, 1).isEmpty(), qPrintable(QStringLiteral("row %1: %2").arg(r).arg(sheet.cell(r, 1))));
    }
    // A null Oto3FL with a known total leaves the coarse total empty as well.
    photo.totalFL = 9;
    QVERIFY(BuildDataSheet(photo, book).cell(11, 1).isEmpty());
    QCOMPARE(BuildDataSheet(photo, book).cell(12, 1), QStringLiteral("9.00"));
}

void TestDataSheet::missingBook_givesOneCoarseClass()
{
    PhotoRecord photo;
    photo.tonsPerAcreBreak = {1, 2, 3, 4, 5, 6, 7};
    const DataSheet sheet = BuildDataSheet(photo, std::nullopt);
    QCOMPARE(sheet.rows, 12);
    QCOMPARE(sheet.cell(8, 1), QStringLiteral("4.00"));
    BookRecord nullBounds; // bounds null in the database
    QCOMPARE(BuildDataSheet(photo, nullBounds).rows, 12);
}

void TestDataSheet::gridServing_endsAtTheRowsInUse()
{
    DataSheet sheet = fromFixture(1).sheet;
    QVERIFY(sheet.cell(12, 0).isEmpty());
    QVERIFY(sheet.cell(-1, 0).isEmpty());
    QVERIFY(sheet.cell(0, 2).isEmpty());
    QVERIFY(!sheet.setCell(12, 1, QStringLiteral("x")));
    QVERIFY(sheet.setCell(11, 1, QStringLiteral("x")));
    QCOMPARE(sheet.cell(11, 1), QStringLiteral("x"));
}

void TestDataSheet::graphSeries_followTheSheet_data()
{
    QTest::addColumn<qint64>("id");
    QTest::addColumn<QStringList>("legends");
    QTest::addColumn<QList<double>>("values");

    QTest::newRow("SW-01: 4 bars, 3\"+") << qint64(1)
                                         << QStringList{QStringLiteral("0\"-.24\" TPA: 1.09"),
                                                        QStringLiteral(".25\"-.9\" TPA: 2.73"),
                                                        QStringLiteral("1\"-2.9\" TPA: 1.85"),
                                                        QStringLiteral("3\"+ TPA: 4.16")}
                                         << QList<double>{1.09, 2.73, 1.85, 4.16};
    QTest::newRow("RM-03: 5 bars") << qint64(17)
                                   << QStringList{QStringLiteral("0\"-.24\" TPA: 0.78"),
                                                  QStringLiteral(".25\"-.9\" TPA: 3.34"),
                                                  QStringLiteral("1\"-2.9\" TPA: 3.50"),
                                                  QStringLiteral("3\"- 5.9\"   TPA: 10.32"),
                                                  QStringLiteral("6\" +  TPA: 13.91")}
                                   << QList<double>{0.78, 3.34, 3.5, 10.32, 13.91};
    QTest::newRow("CP-05: 6 bars") << qint64(33) << QStringList{QStringLiteral("0\"-.24\" TPA: 0.72"),
                                                                QStringLiteral(".25\"-.9\" TPA: 1.66"),
                                                                QStringLiteral("1\"-2.9\" TPA: 3.53"),
                                                                QStringLiteral("3\"- 4.9\"   TPA: 2.41"),
                                                                QStringLiteral("5\"- 9.9\"   TPA: 6.52"),
                                                                QStringLiteral("10\" +  TPA: 12.78")}
                                   << QList<double>{0.72, 1.66, 3.53, 2.41, 6.52, 12.78};
    QTest::newRow("SE-04: 7 bars, last with a colon") << qint64(25)
                                                      << QStringList{QStringLiteral("0\"-.24\" TPA: 0.63"),
                                                                     QStringLiteral(".25\"-.9\" TPA: 3.39"),
                                                                     QStringLiteral("1\"-2.9\" TPA: 2.02"),
                                                                     QStringLiteral("3\"- 8.9\"   TPA: 6.35"),
                                                                     QStringLiteral("9\"- 19.9\"   TPA: 1.31"),
                                                                     QStringLiteral("20\"- 34.9\"   TPA: 15.07"),
                                                                     QStringLiteral("35\" + : 4.15")}
                                                      << QList<double>{0.63, 3.39, 2.02, 6.35, 1.31, 15.07, 4.15};
}

void TestDataSheet::graphSeries_followTheSheet()
{
    QFETCH(qint64, id);
    QFETCH(QStringList, legends);
    QFETCH(QList<double>, values);
    const std::vector<GraphSeries> series = loadingGraphSeries(fromFixture(id).sheet);
    QCOMPARE(int(series.size()), legends.size());
    for (int i = 0; i < legends.size(); ++i) {
        QCOMPARE(series[size_t(i)].legend, legends.at(i));
        QCOMPARE(series[size_t(i)].value, values.at(i));
    }
}

void TestDataSheet::graphTicks_roundStepsUpToTheTop_data()
{
    QTest::addColumn<double>("top");
    QTest::addColumn<QList<double>>("ticks");
    QTest::newRow("nothing to show") << 0.0 << QList<double>{0, 0.5, 1};
    QTest::newRow("not a number") << qQNaN() << QList<double>{0, 0.5, 1};
    QTest::newRow("light") << 0.35 << QList<double>{0, 0.1, 0.2, 0.3, 0.4};
    QTest::newRow("on a step") << 20.0 << QList<double>{0, 5, 10, 15, 20};
    QTest::newRow("heavy") << 115.07 << QList<double>{0, 50, 100, 150};
}

void TestDataSheet::graphTicks_roundStepsUpToTheTop()
{
    QFETCH(double, top);
    QFETCH(QList<double>, ticks);
    const std::vector<double> got = loadingGraphTicks(top);
    QCOMPARE(int(got.size()), ticks.size());
    for (int i = 0; i < ticks.size(); ++i)
        QVERIFY2(qFuzzyCompare(1 + got[size_t(i)], 1 + ticks[i]), qPrintable(QString::number(got[size_t(i)])));
}

void TestDataSheet::graphSeries_readNotAvailableAsZero()
{
    PhotoRecord photo;
    photo.tonsPerAcreBreak = {-1, std::nullopt, 2, 3, 0, 0, 0};
    const std::vector<GraphSeries> series = loadingGraphSeries(BuildDataSheet(photo, std::nullopt));
    QCOMPARE(series.size(), size_t(4));
    QCOMPARE(series[0].legend, QStringLiteral("0\"-.24\" TPA: n/a"));
    QCOMPARE(series[0].value, 0.0);
    QCOMPARE(series[1].legend, QStringLiteral(".25\"-.9\" TPA: "));
    QCOMPARE(series[1].value, 0.0);
    QVERIFY(loadingGraphSeries(DataSheet{}).empty());
}

void TestDataSheet::summary_comparesBothSlots_data()
{
    QTest::addColumn<qint64>("left");
    QTest::addColumn<qint64>("right");     // 0: no photo
    QTest::addColumn<QStringList>("duff"); // left, right, difference
    QTest::addColumn<QStringList>("fuelBed");
    QTest::addColumn<QStringList>("total");
    QTest::addColumn<QList<int>>("highlights"); // duff left/right, total left/right

    const int Y = AssistantSummary::Yellow;
    const int L = AssistantSummary::Light3D;
    QTest::newRow("left larger everywhere")
        << qint64(25) << qint64(1) << QStringList{QStringLiteral("1.4"), QStringLiteral("2.0"), QStringLiteral("0.6")}
        << QStringList{QStringLiteral("13.7"), QStringLiteral("21.7"), QStringLiteral("8.0")}
        << QStringList{QStringLiteral("32.9"), QStringLiteral("9.8"), QStringLiteral("23.1")} << QList<int>{L, Y, Y, L};
    QTest::newRow("negative duff: no data, n/a")
        << qint64(4) << qint64(1)
        << QStringList{QStringLiteral("no data"), QStringLiteral("2.0"), QStringLiteral("n/a")}
        << QStringList{QStringLiteral("13.9"), QStringLiteral("21.7"), QStringLiteral("7.8")}
        << QStringList{QStringLiteral("15.7"), QStringLiteral("9.8"), QStringLiteral("5.9")} << QList<int>{L, L, Y, L};
    QTest::newRow("same photo: tie goes right, 0.0")
        << qint64(1) << qint64(1) << QStringList{QStringLiteral("2.0"), QStringLiteral("2.0"), QStringLiteral("0.0")}
        << QStringList{QStringLiteral("21.7"), QStringLiteral("21.7"), QStringLiteral("0.0")}
        << QStringList{QStringLiteral("9.8"), QStringLiteral("9.8"), QStringLiteral("0.0")} << QList<int>{L, Y, L, Y};
    QTest::newRow("one photo: the empty column reads 0")
        << qint64(1) << qint64(0) << QStringList{QStringLiteral("2.0"), QString(), QStringLiteral("2.0")}
        << QStringList{QStringLiteral("21.7"), QString(), QStringLiteral("21.7")}
        << QStringList{QStringLiteral("9.8"), QString(), QStringLiteral("9.8")} << QList<int>{Y, L, Y, L};
}

void TestDataSheet::summary_comparesBothSlots()
{
    QFETCH(qint64, left);
    QFETCH(qint64, right);
    QFETCH(QStringList, duff);
    QFETCH(QStringList, fuelBed);
    QFETCH(QStringList, total);
    QFETCH(QList<int>, highlights);

    PhotoSlots photoSlots;
    photoSlots.states[0] = fromFixture(left);
    if (right)
        photoSlots.states[1] = fromFixture(right);
    const AssistantSummary s = photoSlots.summary();
    auto check = [](const AssistantSummary::Compared &row, const QStringList &expected) {
        QCOMPARE(row.value[0].text, expected.at(0));
        QCOMPARE(row.value[1].text, expected.at(1));
        QCOMPARE(row.difference, expected.at(2));
    };
    check(s.lblDuff, duff);
    check(s.lblFuelBed, fuelBed);
    check(s.lblTotal, total);
    QCOMPARE(int(s.lblDuff.value[0].highlight), highlights.at(0));
    QCOMPARE(int(s.lblDuff.value[1].highlight), highlights.at(1));
    QCOMPARE(int(s.lblTotal.value[0].highlight), highlights.at(2));
    QCOMPARE(int(s.lblTotal.value[1].highlight), highlights.at(3));
}

void TestDataSheet::summary_currentSlotLabels()
{
    PhotoSlots photoSlots;
    photoSlots.states[0] = fromFixture(25);
    PhotoSlotState nullDepth = fromFixture(1);
    nullDepth.photo->averageDuffDepth.reset();
    photoSlots.states[1] = nullDepth;
    photoSlots.CurrentSlot = 1;
    AssistantSummary s = photoSlots.summary();
    QCOMPARE(s.lblCurrentPhoto, QStringLiteral("SW-01/01"));
    QCOMPARE(s.lblCurDuff, QStringLiteral("no data")); // a null depth is no data, like a negative one
    QCOMPARE(s.lblDuff.difference, QStringLiteral("n/a"));
    QCOMPARE(s.lbl0to3.value[0].text, QStringLiteral("6.0"));
    QCOMPARE(s.lbl3Plus.value[0].text, QStringLiteral("26.9"));
    QCOMPARE(s.lblVegType[1], QStringLiteral("PP"));
    QCOMPARE(s.lblActType[1], QStringLiteral("QQ"));

    // An empty current slot shows the left slot's values.
    photoSlots.clear(1);
    s = photoSlots.summary();
    QCOMPARE(s.lblCurrentPhoto, QStringLiteral("SE-04/01"));
    QCOMPARE(s.lblCurTotal, QStringLiteral("32.9"));
    QVERIFY(s.lblPhoto[1].isEmpty());
}

void TestDataSheet::read_photoGone_fails()
{
    QString error;
    QVERIFY(!PhotoData::read(m_db, 999, &error));
    QVERIFY(error.contains(QLatin1String("999")));
}

void TestDataSheet::photoByLabel_wholeText_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<qint64>("id"); // 0: no photo
    QTest::newRow("fixture label") << "RM-03/02" << qint64(18);
    QTest::newRow("book label holding a slash") << "A/B/X" << qint64(1);
    QTest::newRow("other letter case") << "a/b/x" << qint64(1);
    QTest::newRow("blanks around") << " \tA/B/X  " << qint64(1);
    QTest::newRow("exact match before a caseless one") << "CD/1" << qint64(4);
    QTest::newRow("caseless: the first in table order") << "Cd/1" << qint64(3);
    QTest::newRow("quote in the book label") << "O'Brien \"2\"/7" << qint64(5);
    QTest::newRow("not found") << "A/B/Y" << qint64(0);
    QTest::newRow("the shorter book and a photo label") << "A/B" << qint64(2);
    QTest::newRow("book alone") << "A/B/" << qint64(0);
    QTest::newRow("no slash") << "nolabel" << qint64(0);
    QTest::newRow("wildcards are letters") << "A_B/X" << qint64(0);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("blanks only") << "   " << qint64(0);
}

void TestDataSheet::photoByLabel_wholeText()
{
    QFETCH(QString, label);
    QFETCH(qint64, id);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("labels.mdb"));
    QStringList sql = TestSupport::photoSchema();
    sql << "INSERT INTO Photos (ID, BookLabel, PhotoLabel) VALUES (1, 'A/B', 'X'), (2, 'A', 'B'), (3, 'cd', '1'),"
           " (4, 'CD', '1'), (5, 'O''Brien \"2\"', '7')";
    QVERIFY(TestSupport::makeSqlite(path, sql));
    PhotoDatabase db;
    QVERIFY(db.open(path));
    const bool fixture = label.startsWith(QLatin1String("RM-"));
    QString error;
    const std::optional<PhotoRecord> photo = PhotoData::photoByLabel(fixture ? m_db : db, label, &error);
    QCOMPARE(photo ? photo->id : qint64(0), id);
    if (!photo)
        QVERIFY2(error.contains(label.trimmed()) && !error.isEmpty(), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestDataSheet)
#include "tst_datasheet.moc"

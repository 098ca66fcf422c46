// SPDX-License-Identifier: GPL-3.0-or-later
// Where the reports find their pictures and source photos, and at what size they decode them.
#include "data/photodatabase.h"
#include "data/photolibrary.h"
#include "present/imageresolver.h"
#include "present/photodata.h"
#include "print/reportinputs.h"
#include "shell/photodirectory.h"

#include "platformdoubles.h"
#include "reportlibrary.h"
#include <QtTest>

class TestReportInputs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void slotPicture_comesFromWhereTheScreenTookIt_data();
    void slotPicture_comesFromWhereTheScreenTookIt();
    void comparison_takesTheLocalCopyToo();
    void profile_findsSourcesByLabelInTheDatabase_data();
    void profile_findsSourcesByLabelInTheDatabase();
    void profile_unknownSourceNeverOpensAFileNamedError();
    void loadPicture_decodesAtThePrintedSize_data();
    void loadPicture_decodesAtThePrintedSize();

private:
    PhotoSlotState slot(qint64 id, int imageSource);
    void setPhotoDir(const QString &value);
    QString discPath(const QString &relative) const { return m_dir->filePath(QStringLiteral("disc/") + relative); }
    QString localPath(const QString &relative) const
    {
        return m_dir->filePath(QStringLiteral("program/PhotoImages/") + relative);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program;
    MemorySettingsStore m_settings;
    PhotoDirectory m_directory;
    PhotoDatabase m_database;
    QString m_previousCurrent;
};

void TestReportInputs::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_program = m_dir->filePath(QStringLiteral("program"));
    QVERIFY(ReportLibrary::writeDatabase(m_program, {{1, "SW-01", "07", "Pine", "sw07.jpg"},
                                                     {2, "SW-01", "08", "", "sw08.jpg"},
                                                     {3, "NR-02", "03", "", "nr03.jpg"},
                                                     {4, "NR-02", "04", "", ""}}));
    QString error;
    QVERIFY2(m_database.open(PhotoLibrary::databasePath(m_program), &error), qPrintable(error));
    QDir().mkpath(discPath(QString()));
    setPhotoDir(discPath(QString()));
    m_previousCurrent = QDir::currentPath();
}

void TestReportInputs::cleanup()
{
    QDir::setCurrent(m_previousCurrent);
    m_database.close();
    m_directory.DriveChoice = PhotoDirectory::NoAnswer;
}

void TestReportInputs::setPhotoDir(const QString &value)
{
    m_settings.writeText(QStringLiteral("Brackel"), QStringLiteral("General"), QStringLiteral("PhotoDir"), value);
    m_directory.ReadPhotoDirectory(&m_settings, nullptr, m_program);
}

PhotoSlotState TestReportInputs::slot(qint64 id, int imageSource)
{
    std::optional<PhotoSlotState> state = PhotoData::read(m_database, id);
    if (!state)
        qFatal("photo %lld missing", id);
    state->ImageSource = imageSource;
    return *state;
}

void TestReportInputs::slotPicture_comesFromWhereTheScreenTookIt_data()
{
    QTest::addColumn<bool>("onDisc");
    QTest::addColumn<bool>("local");
    QTest::addColumn<int>("imageSource");
    QTest::addColumn<bool>("localOnlyChosen");
    QTest::addColumn<bool>("driveGone");
    QTest::addColumn<QString>("expected"); // disc, local or none

    QTest::newRow("shown from the disc") << true << true << int(ImagePhotoDirectory) << false << false << "disc";
    QTest::newRow("shown from the local copy") << true << true << int(ImageLocal) << false << false << "local";
    QTest::newRow("local only chosen since") << true << true << int(ImagePhotoDirectory) << true << false << "local";
    QTest::newRow("disc taken out since") << true << true << int(ImagePhotoDirectory) << false << true << "local";
    QTest::newRow("disc taken out, no copy") << true << false << int(ImagePhotoDirectory) << false << true << "none";
    QTest::newRow("found nowhere") << false << false << int(ImageNowhere) << false << false << "none";
}

void TestReportInputs::slotPicture_comesFromWhereTheScreenTookIt()
{
    QFETCH(bool, onDisc);
    QFETCH(bool, local);
    QFETCH(int, imageSource);
    QFETCH(bool, localOnlyChosen);
    QFETCH(bool, driveGone);
    QFETCH(QString, expected);
    if (onDisc)
        QVERIFY(ReportLibrary::writeJpeg(discPath(QStringLiteral("SW-01/sw07.jpg")), QSize(40, 30)));
    if (local)
        QVERIFY(ReportLibrary::writeJpeg(localPath(QStringLiteral("SW-01/sw07.jpg")), QSize(40, 30)));
    if (localOnlyChosen)
        m_directory.DriveChoice = PhotoDirectory::SearchLocalOnly;
    if (driveGone)
        setPhotoDir(m_dir->filePath(QStringLiteral("no-disc-in-drive")));

    const ReportInputs inputs(m_directory, m_program, &m_database);
    const PhotoSlotState state = slot(1, imageSource);
    const QString path = inputs.slotPicturePath(state);
    if (expected == QLatin1String("disc"))
        QCOMPARE(path, discPath(QStringLiteral("SW-01/sw07.jpg")));
    else if (expected == QLatin1String("local"))
        QCOMPARE(path, localPath(QStringLiteral("SW-01/sw07.jpg")));
    else
        QVERIFY2(path.isEmpty(), qPrintable(path));
    // An unreadable drive is a missing picture, never a failed report.
    const ReportLayouts::PhotoReportInput input = inputs.photo(state);
    QCOMPARE(input.picture.has_value(), expected != QLatin1String("none"));
    QCOMPARE(input.bookLabel, QStringLiteral("SW-01"));
    QCOMPARE(input.photoLabel, QStringLiteral("07"));
    QCOMPARE(input.groupLabel, QStringLiteral("Pine"));
    QCOMPARE(input.sheet.rows, state.sheet.rows);
}

void TestReportInputs::comparison_takesTheLocalCopyToo()
{
    // The right photo exists only in the local copy, where the screen found it.
    QVERIFY(ReportLibrary::writeJpeg(discPath(QStringLiteral("SW-01/sw07.jpg")), QSize(40, 30)));
    QVERIFY(ReportLibrary::writeJpeg(localPath(QStringLiteral("NR-02/nr03.jpg")), QSize(40, 30)));
    const ReportInputs inputs(m_directory, m_program, &m_database);
    const auto columns = inputs.comparison(slot(1, ImagePhotoDirectory), slot(3, ImageLocal));
    QCOMPARE(columns[0].label, QStringLiteral("SW-01/07"));
    QCOMPARE(columns[1].label, QStringLiteral("NR-02/03"));
    QVERIFY(columns[0].picture.has_value());
    QVERIFY(columns[1].picture.has_value());
}

void TestReportInputs::profile_findsSourcesByLabelInTheDatabase_data()
{
    QTest::addColumn<QStringList>("sources");
    QTest::addColumn<QList<bool>>("pictured");
    QTest::newRow("four distinct, one without a picture file")
        << QStringList{"SW-01/07", "SW-01/08", "NR-02/03", "NR-02/04"} << QList<bool>{true, true, false, false};
    QTest::newRow("label in other letter case") << QStringList{"sw-01/07", "", "", ""} << QList<bool>{true};
    QTest::newRow("photo no longer in the database")
        << QStringList{"SW-01/99", "SW-01/07", "", "SW-01/07"} << QList<bool>{false, true};
}

void TestReportInputs::profile_findsSourcesByLabelInTheDatabase()
{
    QFETCH(QStringList, sources);
    QFETCH(QList<bool>, pictured);
    QVERIFY(ReportLibrary::writeJpeg(discPath(QStringLiteral("SW-01/sw07.jpg")), QSize(40, 30)));
    QVERIFY(ReportLibrary::writeJpeg(localPath(QStringLiteral("SW-01/sw08.jpg")), QSize(40, 30)));
    FuelProfile profile;
    profile.Source0to3 = sources.at(0);
    profile.Source3Plus = sources.at(1);
    profile.SourceDuff = sources.at(2);
    profile.SourceFuelBed = sources.at(3);
    int pictures = 0;
    ReportInputs inputs(m_directory, m_program, &m_database);
    inputs.setAfterPicture([&pictures] { ++pictures; });
    const ReportLayouts::ProfileReportInput input = inputs.profile(profile);
    QCOMPARE(input.pictures.size(), size_t(pictured.size()));
    for (int i = 0; i < pictured.size(); ++i)
        QCOMPARE(input.pictures[size_t(i)].has_value(), pictured.at(i));
    QCOMPARE(pictures, pictured.size());
}

void TestReportInputs::profile_unknownSourceNeverOpensAFileNamedError()
{
    // A look-up that fails must not fall back on some file of that name in the current folder.
    QVERIFY(ReportLibrary::writeJpeg(m_dir->filePath(QStringLiteral("Error")), QSize(40, 30)));
    QVERIFY(ReportLibrary::writeJpeg(m_dir->filePath(QStringLiteral("SW-01/99")), QSize(40, 30)));
    QDir::setCurrent(m_dir->path());
    FuelProfile profile;
    profile.Source0to3 = QStringLiteral("SW-01/99");
    const ReportInputs inputs(m_directory, m_program, &m_database);
    QVERIFY(inputs.sourcePicturePath(profile.Source0to3).isEmpty());
    const ReportLayouts::ProfileReportInput input = inputs.profile(profile);
    QCOMPARE(input.pictures.size(), size_t(1));
    QVERIFY(!input.pictures[0].has_value());
    // Without a database nothing is found either.
    const ReportInputs withoutDatabase(m_directory, m_program, nullptr);
    QVERIFY(withoutDatabase.sourcePicturePath(QStringLiteral("SW-01/07")).isEmpty());
}

void TestReportInputs::loadPicture_decodesAtThePrintedSize_data()
{
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<QSizeF>("inches");
    QTest::addColumn<QSize>("decoded");
    QTest::newRow("large photo: 300 dpi") << QSize(4000, 2920) << QSizeF(5.0, 3.5) << QSize(1500, 1050);
    QTest::newRow("other proportions are stretched") << QSize(2000, 2000) << QSizeF(3.5, 2.5) << QSize(1050, 750);
    QTest::newRow("small photo keeps its size") << QSize(640, 480) << QSizeF(5.0, 3.5) << QSize(640, 480);
}

void TestReportInputs::loadPicture_decodesAtThePrintedSize()
{
    QFETCH(QSize, stored);
    QFETCH(QSizeF, inches);
    QFETCH(QSize, decoded);
    const QString path = m_dir->filePath(QStringLiteral("picture.jpg"));
    QVERIFY(ReportLibrary::writeJpeg(path, stored));
    const std::optional<QImage> image = ReportInputs::loadPicture(path, inches);
    QVERIFY(image);
    QCOMPARE(image->size(), decoded);

    // A file that is no picture counts as none.
    const QString broken = m_dir->filePath(QStringLiteral("broken.jpg"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xff\xd8\xff\xe0 not really a picture");
    file.close();
    QVERIFY(!ReportInputs::loadPicture(broken, inches));
    QVERIFY(!ReportInputs::loadPicture(QString(), inches));
}

QTEST_MAIN(TestReportInputs)
#include "tst_reportinputs.moc"

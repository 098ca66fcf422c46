// SPDX-License-Identifier: GPL-3.0-or-later
// The results list's icon view as a user sees it: each photo's own picture once it is made, only for the items in
// sight, the generic icon for a photo without one, a changed picture after the list is filled again.
#include "data/resultsmodel.h"
#include "mainwindow/ui/maincontroller.h"
#include "mainwindow/ui/resultslistview.h"
#include "present/imageresolver.h"
#include "present/thumbnailcache.h"
#include "present/ui/thumbnaildelegate.h"
#include "testprogram.h"

#include <QImageReader>
#include <QListView>
#include <QScrollBar>
#include <QtTest>
#include <atomic>

class TestResultsIcons : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void iconView_showsOwnPictures_onlyOfItemsInSight();
    void missingPicture_keepsTheGenericIcon_askedOnce();
    void changedPicture_shownAfterTheListIsFilledAgain();
    void switchedOffOrClosed_whileThumbnailsAreMade_isClean();

private:
    ResultsListView *list() { return m_w->controller().resultsList(); }
    QListView *icons() { return list()->icons(); }
    ThumbnailDelegate *thumbnails() { return list()->thumbnails(); }
    QModelIndex row(int r) { return list()->model()->index(r, 0); }
    bool shows(int r) { return thumbnails()->thumbnailShown(row(r)).has_value(); }
    QString pictureOf(int r);
    void showIcons();
    QList<int> rowsInSight();

    QTemporaryDir m_root;
    QString m_template;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestWindow> m_w;
    std::unique_ptr<ThumbnailCache> m_cache;
    std::atomic<int> m_located{0};
};

void TestResultsIcons::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_template = m_root.filePath(QStringLiteral("template"));
    QVERIFY(TestSupport::makeSampleLibrary(m_template, {QStringLiteral("--photos"), QStringLiteral("60")}));
}

void TestResultsIcons::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    const QString library = m_dir->filePath(QStringLiteral("lib"));
    QVERIFY(TestSupport::copyTree(m_template, library));
    m_w = std::make_unique<TestWindow>(library);
    QVERIFY(QTest::qWaitForWindowExposed(&m_w->frame()));
    QVERIFY2(thumbnails(), "the window gives its icon view thumbnails");
    // The same view over a cache in the test's own folder, counting the pictures looked for.
    ThumbnailCache::Options options;
    options.folder = m_dir->filePath(QStringLiteral("cache"));
    m_cache = std::make_unique<ThumbnailCache>(options);
    m_located = 0;
    ProgramState &state = m_w->state();
    list()->setThumbnails(m_cache.get(), [this, &state](const PhotoRecord &photo) {
        std::optional<ThumbnailSource> source = photoThumbnailSource(state.photoDirectory, state.programFolder, photo);
        if (source)
            source->locate = [this, locate = source->locate] {
                ++m_located;
                return locate();
            };
        return source;
    });
}

void TestResultsIcons::cleanup()
{
    m_w.reset();
    m_cache.reset();
}

QString TestResultsIcons::pictureOf(int r)
{
    const ProgramState &state = m_w->state();
    return ImageResolver(state.photoDirectory, state.programFolder)
        .resolve(*list()->model()->photoAt(r), ImageResolver::Photo, false)
        .path;
}

void TestResultsIcons::showIcons()
{
    QVERIFY(TestSupport::triggerAction(&m_w->frame(), QStringLiteral("mnuIconView")));
    QVERIFY(icons()->isVisible());
}

QList<int> TestResultsIcons::rowsInSight()
{
    QList<int> rows;
    for (int r = 0; r < list()->model()->rowCount(); ++r) {
        if (icons()->viewport()->rect().intersects(icons()->visualRect(row(r))))
            rows << r;
    }
    return rows;
}

void TestResultsIcons::iconView_showsOwnPictures_onlyOfItemsInSight()
{
    showIcons();
    const QList<int> inSight = rowsInSight();
    QVERIFY(!inSight.isEmpty() && !inSight.contains(59));
    for (const int r : inSight)
        QTRY_VERIFY2(shows(r), qPrintable(QStringLiteral("row %1").arg(r)));
    QVERIFY(!shows(59));
    QVERIFY(m_located <= inSight.size());

    icons()->verticalScrollBar()->setValue(icons()->verticalScrollBar()->maximum());
    QTRY_VERIFY(shows(59));
    QTRY_COMPARE(thumbnails()->pendingCount(), 0);
    QVERIFY2(m_located < 60 + inSight.size(), "nothing asked for over and over");
}

void TestResultsIcons::missingPicture_keepsTheGenericIcon_askedOnce()
{
    QVERIFY(QFile::remove(pictureOf(0)));
    showIcons();
    QTRY_VERIFY(shows(1));
    QTRY_COMPARE(thumbnails()->pendingCount(), 0);
    QVERIFY(!shows(0));
    QVERIFY2(!row(0).data(Qt::DecorationRole).value<QIcon>().isNull(), "the generic icon is there to show");
    const int located = m_located;
    icons()->viewport()->repaint();
    QCOMPARE(thumbnails()->pendingCount(), 0);
    QCOMPARE(m_located.load(), located);
}

void TestResultsIcons::changedPicture_shownAfterTheListIsFilledAgain()
{
    showIcons();
    QTRY_VERIFY(shows(0));
    const QImage before = thumbnails()->thumbnailShown(row(0))->toImage();
    const QString path = pictureOf(0);
    QImage blue(QImageReader(path).size(), QImage::Format_RGB32);
    blue.fill(Qt::blue);
    QVERIFY(blue.save(path, "JPG"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(10), QFileDevice::FileModificationTime));

    m_w->controller().FillResultsList();
    QTRY_VERIFY(thumbnails()->thumbnailShown(row(0))->toImage() != before);
    const QImage after = thumbnails()->thumbnailShown(row(0))->toImage();
    const QColor centre = after.pixelColor(after.width() / 2, after.height() / 2);
    QVERIFY(centre.blue() > 200 && centre.red() < 50);
}

void TestResultsIcons::switchedOffOrClosed_whileThumbnailsAreMade_isClean()
{
    showIcons();
    icons()->verticalScrollBar()->setValue(icons()->verticalScrollBar()->maximum() / 2);
    QCoreApplication::processEvents();
    list()->setThumbnails(nullptr, {}); // the plain icons again
    icons()->viewport()->repaint();
    QCOMPARE(list()->thumbnails(), nullptr);
    list()->setThumbnails(m_cache.get(), [](const PhotoRecord &) { return std::optional<ThumbnailSource>(); });
    icons()->verticalScrollBar()->setValue(0);
    m_w.reset(); // the cache outlives the window: its answers find no view
    m_cache.reset();
}

QTEST_MAIN(TestResultsIcons)
#include "tst_resultsicons.moc"

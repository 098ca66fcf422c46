// SPDX-License-Identifier: GPL-3.0-or-later
// The photo panes headless over a sample library: showing photos, the drive warning, the photo manager,
// bad pictures and odd names, the compare layout, the browse buttons and the view window.
#include "data/resultsmodel.h"
#include "largephoto.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/maincommands.h"
#include "mainwindow/ui/maincontroller.h"
#include "mainwindow/ui/resultslistview.h"
#include "platform/scopeguards.h"
#include "platform/ui/twips.h"
#include "present/datasheetmodel.h"
#include "present/ui/comparebuttons.h"
#include "present/ui/frmview.h"
#include "present/ui/loadinggraph.h"
#include "present/ui/photopane.h"
#include "present/ui/photopanes.h"
#include "present/ui/picturebox.h"
#include "shell/ui/mdimain.h"
#include "testprogram.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

namespace
{
const QString kCantLoad = QStringLiteral("Can't load image.\nCheck disk drive.");

// The main window over a library folder, with settings in INI files that a photo manager script can write.
struct Window {
    Window(const QString &library, const QString &config)
        : w(library, TestProgram::Options{true, config, true}), state(w.state()), c(w.controller())
    {
        c.SetCompareLayout(0);
    }
    QString label(int slot) const { return panes()->pane(slot)->lblSelectedPhoto()->text(); }
    QString noPic(int slot) const { return panes()->pane(slot)->lblNoPic()->text(); }
    PhotoPanes *panes() const { return c.photoPanes(); }
    ResultsModel *results() const { return c.resultsModel(); }
    QString lastItemKey() const { return state.modes.state().LastItemKey; }

    TestWindow w;
    ProgramState &state;
    MainController &c;
};
} // namespace

class TestPhotoPanes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void show_firstPhoto_fillsPictureSheetGraphAndLabel();
    void show_keyboardMove_showsEachPhoto();
    void show_emptyDataPic_changesNothing();
    void driveWarning_answers_data();
    void driveWarning_answers();
    void manage_fromWarning_findsPhotoByIdInNewSeries();
    void manage_photoGone_saysSo();
    void manage_managerMissingOrDatabaseGone_saysSo();
    void picture_badFiles_onlyThePictureSuffers_data();
    void picture_badFiles_onlyThePictureSuffers();
    void oddRows_neverCrash();
    void compareLayout_freesRightSlotAndGatesPrinting();
    void browseButtons_twoWaySwitch();
    void view_opensOnPhotoTabAndLooksUpAgain();
    void view_cameraPhoto_decodedAtTheShownSizeAndInFullAt100();
    void realign_pictureAndSheetUseTheirPanes_data();
    void realign_pictureAndSheetUseTheirPanes();
    void grid_longestSheet_fitsInsideItsPane();
    void grid_compareLayout_eachSlotServesItsOwnRows();
    void graph_sevenClasses_legendShowsEveryText();
    void cli_datasheet_printsTheGridRows();

private:
    QString photoPath(int row) const;
    void writeManager(const QString &body);
    void setPhotoDir(const QString &value);
    bool sql(const QStringList &statements);
    QString sevenClassesForFirstBook() const;

    QTemporaryDir m_root;
    QString m_template;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_library;
    QString m_config;
    std::unique_ptr<Window> m_w;
};

void TestPhotoPanes::initTestCase()
{
    m_template = m_root.filePath(QStringLiteral("template"));
    QProcess sample;
    sample.start(TestSupport::binPath(QStringLiteral("fenwyx-sample")),
                 {m_template, QStringLiteral("--photos"), QStringLiteral("24")});
    QVERIFY(sample.waitForFinished(120000));
    QCOMPARE(sample.exitCode(), 0);
}

void TestPhotoPanes::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_library = m_dir->filePath(QStringLiteral("lib"));
    m_config = m_dir->filePath(QStringLiteral("config"));
    QVERIFY(QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), m_template, m_library}) == 0);
    // The photo manager is this test's script (written by writeManager), never the real one beside the test.
    qputenv("FENWYX_PHOTOMGR", QFile::encodeName(m_library + QStringLiteral("/photomgr")));
    m_w = std::make_unique<Window>(m_library, m_config);
}

void TestPhotoPanes::cleanup()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
    m_w.reset();
}

QString TestPhotoPanes::photoPath(int row) const
{
    const PhotoRecord *p = m_w->results()->photoAt(row);
    return m_library + QStringLiteral("/PhotoImages/") + p->bookLabel + QLatin1Char('/') + p->photoPic;
}

void TestPhotoPanes::writeManager(const QString &body)
{
    QFile script(m_library + QStringLiteral("/photomgr"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n" + body.toUtf8() + "\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
}

void TestPhotoPanes::setPhotoDir(const QString &value)
{
    m_w->w.program.iniSettings.writeText(QStringLiteral("Brackel"), QStringLiteral("General"),
                                         QStringLiteral("PhotoDir"), value);
    m_w->state.photoDirectory.ReadPhotoDirectory(&m_w->w.program.iniSettings, &m_w->w.program.drives, m_library);
}

bool TestPhotoPanes::sql(const QStringList &statements)
{
    if (!TestSupport::makeSqlite(m_library + QStringLiteral("/Photo.mdb"), statements))
        return false;
    QString error;
    if (!m_w->state.library.ReopenPhotoDatabase(&error))
        return false;
    m_w->c.FillResultsList();
    return true;
}

// All three bounds set: the first photo's data sheet has its longest form, 15 rows.
QString TestPhotoPanes::sevenClassesForFirstBook() const
{
    return QStringLiteral("UPDATE Books SET BreakInches4 = 9, BreakInches5 = 20, BreakInches6 = 35 "
                          "WHERE BookLabel = '%1'")
        .arg(m_w->results()->photoAt(0)->bookLabel);
}

void TestPhotoPanes::show_firstPhoto_fillsPictureSheetGraphAndLabel()
{
    m_w->c.SelectResult(1);
    const PhotoRecord *first = m_w->results()->photoAt(0);
    PhotoPane *pane = m_w->panes()->pane(0);
    QCOMPARE(m_w->label(0), first->label());
    QCOMPARE(m_w->lastItemKey(), first->key());
    QVERIFY(pane->picPreviewPhoto()->hasPicture());
    QVERIFY(!pane->lblNoPic()->isVisible());
    // The relative default "photoimages/" lies under the program folder, where "PhotoImages" matches it.
    QCOMPARE(m_w->state.photoSlots.states[0].ImageSource, int(ImagePhotoDirectory));

    const int rows = m_w->state.photoSlots.states[0].sheet.rows;
    QVERIFY(rows >= 12 && rows <= 15);
    QTableView *grid = pane->grdselect();
    QCOMPARE(grid->model()->rowCount(), rows);
    QCOMPARE(grid->height(), rows * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth());
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Atrrib"));
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Value"));
    QCOMPARE(grid->palette().color(QPalette::Base), QColor(255, 255, 192));
    QVERIFY(!(grid->model()->flags(grid->model()->index(0, 1)) & Qt::ItemIsEditable));
    QVERIFY(grid->isVisible()); // the single layout's first view is the data sheet, in the right pane
    QCOMPARE(grid->parentWidget(), m_w->panes()->pane(1));

    QCOMPARE(int(pane->chtTotal()->series().size()), rows - 8);
    QCOMPARE(pane->chtTotal()->title(), QStringLiteral("Tons per Acre(TPA) by Size Class"));
    QVERIFY(!m_w->c.commands().mnuPrintComparsion->isEnabled());
}

void TestPhotoPanes::show_keyboardMove_showsEachPhoto()
{
    m_w->c.SelectResult(1);
    QTableView *table = m_w->c.resultsList()->table();
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Down);
    const PhotoRecord *second = m_w->results()->photoAt(1);
    QCOMPARE(m_w->label(0), second->label());
    QCOMPARE(m_w->lastItemKey(), second->key());
    QCOMPARE(m_w->state.photoSlots.states[0].photo->id, second->id);
}

void TestPhotoPanes::show_emptyDataPic_changesNothing()
{
    QVERIFY(sql({QStringLiteral("UPDATE Photos SET DataPic = NULL WHERE ID = (SELECT MIN(ID) FROM Photos)")}));
    m_w->c.SelectResult(2);
    const QString before = m_w->label(0);
    m_w->c.ShowSelectedPhoto(0);
    QCOMPARE(m_w->label(0), before);
}

void TestPhotoPanes::driveWarning_answers_data()
{
    QTest::addColumn<QList<int>>("answers"); // for the first photo, then the second
    QTest::addColumn<int>("askedForFirst");
    QTest::addColumn<int>("askedForSecond");
    QTest::addColumn<int>("choice");

    QTest::newRow("search local only: never again") << QList<int>{3} << 1 << 0 << 3;
    QTest::newRow("retry while the disc is missing, then local") << QList<int>{1, 1, 3} << 3 << 0 << 3;
    QTest::newRow("closed: local this time, asked again") << QList<int>{0, 0} << 1 << 1 << 0;
}

void TestPhotoPanes::driveWarning_answers()
{
    QFETCH(QList<int>, answers);
    QFETCH(int, askedForFirst);
    QFETCH(int, askedForSecond);
    QFETCH(int, choice);

    setPhotoDir(m_dir->filePath(QStringLiteral("cdrom/photoimages")));
    ScriptedDialogs &dialogs = m_w->w.program.dialogs;
    dialogs.driveAnswers.assign(answers.cbegin(), answers.cend());
    dialogs.driveAnswers.push_back(3);
    m_w->c.SelectResult(1);
    const int asked = int(dialogs.driveAsked.size());
    QCOMPARE(asked, askedForFirst);
    QCOMPARE(dialogs.driveAsked.back(), m_dir->filePath(QStringLiteral("cdrom/photoimages/")));
    QVERIFY(m_w->panes()->pane(0)->picPreviewPhoto()->hasPicture());
    QCOMPARE(m_w->state.photoSlots.states[0].ImageSource, int(ImageLocal));
    m_w->c.SelectResult(2);
    QCOMPARE(int(dialogs.driveAsked.size()), askedForFirst + askedForSecond);
    QCOMPARE(m_w->state.photoDirectory.DriveChoice, choice);
    QCOMPARE(m_w->label(0), m_w->results()->photoAt(1)->label());
}

void TestPhotoPanes::manage_fromWarning_findsPhotoByIdInNewSeries()
{
    // The new series lacks the first photo, so every later photo moves up one row.
    const QString newDatabase = m_dir->filePath(QStringLiteral("new.mdb"));
    QVERIFY(QFile::copy(m_library + QStringLiteral("/Photo.mdb"), newDatabase));
    QVERIFY(TestSupport::makeSqlite(newDatabase,
                                    {QStringLiteral("DELETE FROM Photos WHERE ID = (SELECT MIN(ID) FROM Photos)")}));
    writeManager(QStringLiteral("cp '%1' '%2/Photo.mdb'\nprintf '[General]\\nPhotoDir=%2/PhotoImages\\n' > '%3'")
                     .arg(newDatabase, m_library, m_w->w.program.iniSettings.fileFor(QStringLiteral("Brackel"))));
    setPhotoDir(m_dir->filePath(QStringLiteral("cdrom/photoimages")));
    ScriptedDialogs &dialogs = m_w->w.program.dialogs;
    dialogs.driveAnswers = {2, 3, 3};

    const PhotoRecord second = *m_w->results()->photoAt(1);
    m_w->c.lstPhotos_ItemClick(1);
    QCOMPARE(dialogs.driveAsked.size(), size_t(1)); // the new photo directory can be read
    QCOMPARE(m_w->state.photoDirectory.value(), m_library + QStringLiteral("/PhotoImages/"));
    QCOMPARE(m_w->label(0), second.label());
    QCOMPARE(m_w->state.photoSlots.states[0].photo->id, second.id);
    QCOMPARE(m_w->state.photoSlots.states[0].ImageSource, int(ImagePhotoDirectory));
    QCOMPARE(m_w->lastItemKey(), second.key());
    QCOMPARE(m_w->c.resultsList()->currentRow(), 0);
    QCOMPARE(m_w->results()->rowCount(), 23);
}

void TestPhotoPanes::manage_photoGone_saysSo()
{
    const QString newDatabase = m_dir->filePath(QStringLiteral("new.mdb"));
    QVERIFY(QFile::copy(m_library + QStringLiteral("/Photo.mdb"), newDatabase));
    const PhotoRecord third = *m_w->results()->photoAt(2);
    QVERIFY(TestSupport::makeSqlite(newDatabase, {QStringLiteral("DELETE FROM Photos WHERE ID = %1").arg(third.id)}));
    writeManager(QStringLiteral("cp '%1' '%2/Photo.mdb'").arg(newDatabase, m_library));
    setPhotoDir(m_dir->filePath(QStringLiteral("cdrom/photoimages")));
    ScriptedDialogs &dialogs = m_w->w.program.dialogs;
    dialogs.driveAnswers = {2, 3, 3};

    m_w->c.lstPhotos_ItemClick(2);
    QCOMPARE(dialogs.driveAsked.size(), size_t(2)); // still no disc after the manager: asked again, then local
    QVERIFY(m_w->label(0).isEmpty());
    QVERIFY(!m_w->state.photoSlots.SlotHasPhoto(0));
    QVERIFY(m_w->lastItemKey().isEmpty());
    QVERIFY2(m_w->state.status.message().contains(third.label()), qPrintable(m_w->state.status.message()));
}

void TestPhotoPanes::manage_managerMissingOrDatabaseGone_saysSo()
{
    m_w->c.ManagePhotoSeries();
    QVERIFY2(m_w->state.status.message().contains(QLatin1String("Can't start the photo manager")),
             qPrintable(m_w->state.status.message()));
    QCOMPARE(m_w->results()->rowCount(), 24);

    writeManager(QStringLiteral("rm -f '%1/Photo.mdb'").arg(m_library));
    m_w->c.ManagePhotoSeries();
    QVERIFY2(m_w->state.status.message().contains(QLatin1String("Can't open the photo database")),
             qPrintable(m_w->state.status.message()));
    QCOMPARE(m_w->results()->rowCount(), 0);
    const QString shown = m_w->label(0);
    m_w->c.ShowSelectedPhoto(0); // nothing to show, nothing breaks
    QCOMPARE(m_w->label(0), shown);
}

void TestPhotoPanes::picture_badFiles_onlyThePictureSuffers_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message"); // empty: either a partial picture or the load message
    QTest::newRow("not an image") << "text" << kCantLoad;
    QTest::newRow("zero bytes") << "empty" << kCantLoad;
    QTest::newRow("truncated") << "truncate" << QString();
    QTest::newRow("missing") << "remove" << QStringLiteral("No Picture Available in:");
}

void TestPhotoPanes::picture_badFiles_onlyThePictureSuffers()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);
    const QString path = photoPath(0);
    QFile file(path);
    if (damage == QLatin1String("remove")) {
        QVERIFY(file.remove());
    } else {
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll();
        file.resize(0);
        if (damage == QLatin1String("text"))
            file.write("no picture here");
        else if (damage == QLatin1String("truncate"))
            file.write(bytes.left(bytes.size() / 3));
        file.close();
    }
    m_w->c.SelectResult(1);
    const PhotoRecord *first = m_w->results()->photoAt(0);
    QCOMPARE(m_w->label(0), first->label());
    QVERIFY(m_w->state.photoSlots.states[0].sheet.rows >= 12);
    QCOMPARE(m_w->panes()->pane(0)->sheetModel()->rowCount(), m_w->state.photoSlots.states[0].sheet.rows);
    QCOMPARE(m_w->lastItemKey(), first->key());
    if (message.isEmpty()) {
        QVERIFY(m_w->panes()->pane(0)->picPreviewPhoto()->hasPicture() || m_w->noPic(0) == kCantLoad);
    } else {
        QVERIFY2(m_w->noPic(0).startsWith(message), qPrintable(m_w->noPic(0)));
        QVERIFY(m_w->panes()->pane(0)->lblNoPic()->isVisible());
        QVERIFY(!m_w->panes()->pane(0)->picPreviewPhoto()->hasPicture());
    }
    if (damage == QLatin1String("remove")) {
        QCOMPARE(m_w->state.photoSlots.states[0].ImageSource, int(ImageNowhere));
        QCOMPARE(m_w->noPic(0), QStringLiteral("No Picture Available in:\nphotoimages/ or\n") + m_library +
                                    QStringLiteral("/PhotoImages"));
    }
}

void TestPhotoPanes::oddRows_neverCrash()
{
    const PhotoRecord p0 = *m_w->results()->photoAt(0);
    const PhotoRecord p1 = *m_w->results()->photoAt(1);
    const PhotoRecord p2 = *m_w->results()->photoAt(2);
    const PhotoRecord p3 = *m_w->results()->photoAt(3);
    // A picture outside the library that a climbing name would reach.
    QVERIFY(QFile::copy(photoPath(0), m_dir->filePath(QStringLiteral("secret.jpg"))));
    const QString odd = QStringLiteral("plot één 2.jpg");
    QVERIFY(QFile::rename(photoPath(1), QFileInfo(photoPath(1)).path() + QLatin1Char('/') + odd));
    QVERIFY(sql({
        QStringLiteral("UPDATE Photos SET PhotoPic = '../../../secret.jpg' WHERE ID = %1").arg(p0.id),
        QStringLiteral("UPDATE Photos SET PhotoPic = '%1' WHERE ID = %2").arg(odd).arg(p1.id),
        QStringLiteral("UPDATE Photos SET BookLabel = '../..' WHERE ID = %1").arg(p2.id),
        QStringLiteral(
            "UPDATE Photos SET TonsPerAcreBreak1 = NULL, TonsPerAcreBreak2 = NULL, TonsPerAcreBreak3 = NULL, "
            "TonsPerAcreBreak4 = NULL, Oto3FL = NULL, TotalFL = NULL, AverageDuffDepth = NULL, "
            "BookLabel = 'NOBOOK' WHERE ID = %1")
            .arg(p3.id),
    }));

    m_w->c.SelectResult(1);
    QVERIFY(m_w->noPic(0).startsWith(QLatin1String("No Picture Available in:")));
    QVERIFY(!m_w->panes()->pane(0)->picPreviewPhoto()->hasPicture());

    m_w->c.SelectResult(2);
    QVERIFY(m_w->panes()->pane(0)->picPreviewPhoto()->hasPicture());
    QVERIFY(m_w->noPic(0).isEmpty());

    m_w->c.SelectResult(3); // its book row is missing too: one class of 3 inches and more
    QCOMPARE(m_w->label(0), QStringLiteral("../../") + p2.photoLabel);
    QVERIFY(m_w->noPic(0).startsWith(QLatin1String("No Picture Available in:")));
    QCOMPARE(m_w->state.photoSlots.states[0].sheet.rows, 12);

    m_w->c.SelectResult(4);
    const DataSheet &sheet = m_w->state.photoSlots.states[0].sheet;
    QCOMPARE(sheet.rows, 12);
    QVERIFY(sheet.cell(0, 1).isEmpty());
    QVERIFY(sheet.cell(5, 1).isEmpty());
    QVERIFY(sheet.cell(11, 1).isEmpty());
    QCOMPARE(m_w->state.photoSlots.summary().lblDuff.value[0].text, QStringLiteral("no data"));
}

void TestPhotoPanes::compareLayout_freesRightSlotAndGatesPrinting()
{
    MainController &c = m_w->c;
    PhotoPanes *panes = m_w->panes();
    QAction *print = c.commands().mnuPrintComparsion;
    QVERIFY(!panes->tabControl()->isEnabled()); // no slot tabs in the single layout
    c.SelectResult(1);
    c.SelectResult(2); // slot 1 would hold nothing either way; make slot 0 hold row 2
    c.SetCompareLayout(1);
    QCOMPARE(m_w->state.photoSlots.CurrentSlot, 1);
    QVERIFY(!c.SlotHasPhoto(1));
    QVERIFY(panes->tabControl()->isEnabled());
    QCOMPARE(panes->tabControl()->currentIndex(), 1);
    QCOMPARE(m_w->noPic(1), QStringLiteral("Select a photo from the list"));
    QCOMPARE(panes->pane(0)->grdselect()->parentWidget(), panes->pane(0));
    QVERIFY(!print->isEnabled());

    // A photo without a picture shows the message in the compare layout too.
    QVERIFY(QFile::remove(photoPath(4)));
    c.lstPhotos_ItemClick(4);
    QVERIFY(c.SlotHasPhoto(1));
    QVERIFY(m_w->noPic(1).startsWith(QLatin1String("No Picture Available in:")));
    QVERIFY(panes->pane(1)->lblNoPic()->isVisible());
    QVERIFY(print->isEnabled());
    QCOMPARE(m_w->label(0), m_w->results()->photoAt(1)->label()); // slot 0 untouched

    // Clicking the left pane makes slot 0 current through the tabs.
    QTest::mouseClick(panes->pane(0), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(m_w->state.photoSlots.CurrentSlot, 0);
    QCOMPARE(panes->tabControl()->currentIndex(), 0);
    c.lstPhotos_ItemClick(5);
    QCOMPARE(m_w->label(0), m_w->results()->photoAt(5)->label());
    QCOMPARE(m_w->state.photoSlots.states[0].photo->id, m_w->results()->photoAt(5)->id);

    c.SetCompareLayout(0);
    QVERIFY(!print->isEnabled());
    QVERIFY(!panes->tabControl()->isEnabled());
    QCOMPARE(m_w->state.photoSlots.CurrentSlot, 0);
    QVERIFY(!panes->pane(1)->lblNoPic()->isVisible());
    QCOMPARE(panes->pane(0)->grdselect()->parentWidget(), panes->pane(1));
}

void TestPhotoPanes::browseButtons_twoWaySwitch()
{
    MainController &c = m_w->c;
    BrowseButtons *buttons = c.browseButtons();
    PhotoPane *left = m_w->panes()->pane(0);
    c.SelectResult(1);
    QVERIFY(!buttons->vseBrowseData()->isEnabled());
    buttons->vseBrowseGraph()->click();
    QVERIFY(left->chtTotal()->isVisible());
    QVERIFY(!left->grdselect()->isVisible());
    QVERIFY(!buttons->vseBrowseGraph()->isEnabled());
    QVERIFY(buttons->vseBrowseData()->isEnabled());
    {
        const BusyFlag running(m_w->state.modes.paneSwitchBusy()); // a switch already running: dropped
        c.SwitchPaneView(QStringLiteral("Browse Data"), 0);
        QVERIFY(left->chtTotal()->isVisible());
    }
    buttons->vseBrowseData()->click();
    QVERIFY(left->grdselect()->isVisible());
    QVERIFY(!left->chtTotal()->isVisible());
    QVERIFY(!m_w->state.modes.state().PaneSwitchBusy);
}

void TestPhotoPanes::view_opensOnPhotoTabAndLooksUpAgain()
{
    MainController &c = m_w->c;
    c.vseView_Click(4);
    QVERIFY(m_w->state.status.message().contains(QLatin1String("Can't view, no photo selected")));
    QVERIFY(!c.viewWindow());

    m_w->c.SelectResult(1);
    const PhotoRecord *first = m_w->results()->photoAt(0);
    const QString data =
        m_library + QStringLiteral("/PhotoImages/") + first->bookLabel + QLatin1Char('/') + first->dataPic;
    QVERIFY(QFile::rename(data, data + QStringLiteral(".away")));
    c.browseButtons()->vseView4()->click();
    frmView *view = c.viewWindow();
    QVERIFY(view && view->isVisible());
    QCOMPARE(view->windowTitle(), QStringLiteral("View"));
    QCOMPARE(view->tabView()->currentIndex(), 0);
    QCOMPARE(view->tabView()->tabText(1), QStringLiteral("Data Plate"));
    QVERIFY(view->elePhoto()->hasImage());
    QCOMPARE(view->elePhoto()->image().size(), QSize(822, 600)); // full quality
    QVERIFY(view->lblNoData()->text().startsWith(QLatin1String("No Picture Available in:\n")));

    // The data image is looked up again when its tab is chosen.
    QVERIFY(QFile::rename(data + QStringLiteral(".away"), data));
    view->tabView()->setCurrentIndex(1);
    QVERIFY(view->eleData()->hasImage());
    QVERIFY(view->lblNoData()->isHidden());

    // A damaged photo found on a tab change shows its own message on its own tab.
    QFile photo(photoPath(0));
    QVERIFY(photo.open(QIODevice::WriteOnly | QIODevice::Truncate));
    photo.write("damaged");
    photo.close();
    view->tabView()->setCurrentIndex(0);
    QCOMPARE(view->lblNoPic()->text(), QStringLiteral("Can't load image\nCheck disk drive"));
    QVERIFY(view->eleData()->hasImage());

    // A second request reloads both and shows the photo tab.
    view->tabView()->setCurrentIndex(1);
    m_w->c.SelectResult(2);
    c.vseView_Click(4);
    QCOMPARE(view->tabView()->currentIndex(), 0);
    QVERIFY(view->elePhoto()->hasImage());
    QVERIFY(view->ViewPhotoFile.endsWith(m_w->results()->photoAt(1)->photoPic));
}

void TestPhotoPanes::view_cameraPhoto_decodedAtTheShownSizeAndInFullAt100()
{
    // 36 megapixels, more than the image library decodes in full unless told otherwise.
    const QSize full(7360, 4912);
    QVERIFY(TestSupport::drawLargePhoto(5, full).save(photoPath(0), "JPG", 85));
    MainController &c = m_w->c;
    c.SelectResult(1);
    QVERIFY(m_w->panes()->pane(0)->picPreviewPhoto()->hasPicture());
    c.browseButtons()->vseView4()->click();
    frmView *view = c.viewWindow();
    QVERIFY(view);
    ImageView *photo = view->elePhoto();
    QVERIFY(photo->hasImage());
    QVERIFY(view->lblNoPic()->isHidden());
    auto fitsTheWindow = [view, photo] {
        const QSize shown = photo->image().size();
        return shown.width() <= view->width() * view->devicePixelRatioF() &&
               shown.height() <= view->height() * view->devicePixelRatioF();
    };
    QVERIFY(fitsTheWindow());

    auto zoom = [view](const char *name) {
        QAction *action = view->findChild<QAction *>(QLatin1String(name));
        QVERIFY2(action && action->isEnabled(), name);
        action->trigger();
    };
    zoom("mnuActualSize");
    QCOMPARE(photo->image().size(), full);
    QCOMPARE(photo->widget()->size(), full);
    // The hidden tab lets go of its full-size picture; shown again, it has it once more.
    view->tabView()->setCurrentIndex(1);
    QVERIFY(fitsTheWindow());
    view->tabView()->setCurrentIndex(0);
    QTRY_COMPARE(photo->image().size(), full);
    zoom("mnuFit");
    QVERIFY(fitsTheWindow());
    QVERIFY(photo->widget()->width() <= photo->viewport()->width());
}

void TestPhotoPanes::realign_pictureAndSheetUseTheirPanes_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<bool>("compare");
    QTest::newRow("1280x800, single") << QSize(1280, 800) << false;
    QTest::newRow("1280x800, compare") << QSize(1280, 800) << true;
    QTest::newRow("1900x1250, single") << QSize(1900, 1250) << false;
    QTest::newRow("1900x1250, compare") << QSize(1900, 1250) << true;
}

void TestPhotoPanes::realign_pictureAndSheetUseTheirPanes()
{
    QFETCH(QSize, frame);
    QFETCH(bool, compare);
    // A portrait photo beside the usual landscape ones: each is shown with its own proportions.
    QVERIFY(TestSupport::drawLargePhoto(3, QSize(900, 1200)).save(photoPath(0), "JPG", 85));
    QVERIFY(sql({sevenClassesForFirstBook()}));
    m_w->w.frame().resize(frame);
    m_w->c.SelectResult(1);
    if (compare) {
        m_w->c.compareCommand();
        m_w->c.SelectResult(2);
    }
    QApplication::processEvents();

    for (int s = 0; s < (compare ? 2 : 1); ++s) {
        PhotoPane *pane = m_w->panes()->pane(s);
        const PictureBox *picture = pane->picPreviewPhoto();
        QVERIFY(picture->hasPicture());
        const QRect shown = picture->displayedRect().translated(picture->pos());
        const QSize photo = QImageReader(photoPath(s)).size();
        QVERIFY(qAbs(double(shown.width()) / shown.height() - double(photo.width()) / photo.height()) < 0.01);
        // Under the label line, and as wide or as tall as the pane allows within its margins.
        const int below = pane->lblSelectedPhoto()->geometry().bottom();
        const int slack = 2 * twips(pane, 130) + 4;
        QVERIFY2(shown.top() > below && pane->rect().contains(shown) &&
                     (pane->width() - shown.width() <= slack || pane->height() - below - shown.height() <= slack),
                 qPrintable(QStringLiteral("slot %1: picture %2,%3 %4x%5 in a pane of %6x%7")
                                .arg(s)
                                .arg(shown.x())
                                .arg(shown.y())
                                .arg(shown.width())
                                .arg(shown.height())
                                .arg(pane->width())
                                .arg(pane->height())));
        QCOMPARE(pane->chtTotal()->geometry(), picture->geometry());
    }
    if (!compare) {
        // The data sheet in the right pane: every row shown, taking most of the pane's height.
        QTableView *grid = m_w->panes()->pane(0)->grdselect();
        const QWidget *holder = grid->parentWidget();
        QCOMPARE(holder, m_w->panes()->pane(1));
        QCOMPARE(grid->verticalHeader()->length(), grid->viewport()->height());
        QVERIFY(holder->rect().contains(grid->geometry()));
        QVERIFY2(grid->height() >= 0.6 * (holder->height() - grid->y()),
                 qPrintable(QStringLiteral("grid %1 high in a pane of %2").arg(grid->height()).arg(holder->height())));
    }

    // However narrow the pane, fitting ends with a picture of some size.
    PhotoPane *pane = m_w->panes()->pane(0);
    pane->setMinimumSize(0, 0);
    pane->setFixedSize(4, 300);
    m_w->panes()->vsePane_RealignFrame();
    QVERIFY(pane->picPreviewPhoto()->width() >= 1);
}

void TestPhotoPanes::grid_longestSheet_fitsInsideItsPane()
{
    QVERIFY(sql({sevenClassesForFirstBook()}));
    m_w->w.frame().resize(1100, 800); // a new frame on a small screen
    m_w->c.SelectResult(1);
    QCOMPARE(m_w->state.photoSlots.states[0].sheet.rows, 15);
    for (int mode : {0, 1}) {
        m_w->c.SetCompareLayout(mode);
        m_w->c.SwitchPaneView(QStringLiteral("Browse Data"), 0);
        QApplication::processEvents();
        QTableView *grid = m_w->panes()->pane(0)->grdselect();
        // Every row inside the grid, and the grid inside its pane.
        QCOMPARE(grid->verticalHeader()->length(), grid->viewport()->height());
        const QRect inPane = grid->geometry();
        const QSize pane = grid->parentWidget()->size();
        QVERIFY2(inPane.bottom() < pane.height() && inPane.right() < pane.width(),
                 qPrintable(QStringLiteral("layout %1: grid %2,%3 %4x%5 in a pane of %6x%7")
                                .arg(mode)
                                .arg(inPane.x())
                                .arg(inPane.y())
                                .arg(inPane.width())
                                .arg(inPane.height())
                                .arg(pane.width())
                                .arg(pane.height())));
    }
    // A pane too low for the smallest rows: they scroll, and the last can be brought into view.
    m_w->c.SetCompareLayout(0);
    PhotoPane *low = m_w->panes()->pane(1);
    low->setMinimumSize(0, 0);
    low->setMaximumHeight(140);
    QApplication::processEvents();
    QTableView *grid = m_w->panes()->pane(0)->grdselect();
    QVERIFY(grid->isVisible());
    QVERIFY(low->rect().contains(grid->geometry()));
    QVERIFY(grid->verticalScrollBar()->isVisible());
    grid->scrollToBottom();
    QCOMPARE(grid->rowAt(grid->viewport()->height() - 1), 14);
}

void TestPhotoPanes::grid_compareLayout_eachSlotServesItsOwnRows()
{
    // The first book with all seven classes, every other book with one class of 3 inches and more.
    const QString firstBook = m_w->results()->photoAt(0)->bookLabel;
    QVERIFY(sql({sevenClassesForFirstBook(),
                 QStringLiteral("UPDATE Books SET BreakInches4 = 0, BreakInches5 = 0, BreakInches6 = 0 "
                                "WHERE BookLabel <> '%1'")
                     .arg(firstBook)}));
    int other = -1;
    for (int row = 0; row < m_w->results()->rowCount() && other < 0; ++row) {
        if (m_w->results()->photoAt(row)->bookLabel != firstBook)
            other = row;
    }
    QVERIFY(other > 0);
    m_w->c.SelectResult(1);
    m_w->c.compareCommand();
    m_w->c.SelectResult(other + 1);
    QCOMPARE(m_w->state.photoSlots.states[0].sheet.rows, 15);
    QCOMPARE(m_w->state.photoSlots.states[1].sheet.rows, 12);
    for (int s = 0; s < 2; ++s) {
        QTableView *grid = m_w->panes()->pane(s)->grdselect();
        QCOMPARE(grid->model()->rowCount(), m_w->state.photoSlots.states[size_t(s)].sheet.rows);
    }
    QCOMPARE(m_w->panes()->pane(0)->grdselect()->model()->index(14, 0).data().toString().trimmed(),
             QStringLiteral("Total"));
    QCOMPARE(m_w->panes()->pane(1)->grdselect()->model()->index(11, 0).data().toString().trimmed(),
             QStringLiteral("Total"));
}

void TestPhotoPanes::graph_sevenClasses_legendShowsEveryText()
{
    const PhotoRecord first = *m_w->results()->photoAt(0);
    QVERIFY(sql({sevenClassesForFirstBook(),
                 QStringLiteral("UPDATE Photos SET TonsPerAcreBreak6 = 115.07 WHERE ID = %1").arg(first.id)}));
    m_w->w.frame().resize(1100, 800);
    m_w->c.SelectResult(1);
    m_w->c.browseButtons()->vseBrowseGraph()->click();
    LoadingGraph *graph = m_w->panes()->pane(0)->chtTotal();
    QVERIFY(graph->isVisible());
    QStringList legends;
    for (const GraphSeries &s : loadingGraphSeries(m_w->state.photoSlots.states[0].sheet))
        legends << s.legend;
    QCOMPARE(legends.size(), 7);
    QVERIFY(legends.contains(QStringLiteral("20\"- 34.9\"   TPA: 115.07")));
    // Every entry is shown whole, none cut short; the value axis reaches above the largest bar.
    QCOMPARE(graph->legendTexts(), legends);
    QVERIFY(graph->ticks().back() >= 115.07);
    QVERIFY(graph->accessibleDescription().contains(QStringLiteral("TPA: 115.07")));
    // Narrowed, the legend's type shrinks before an entry is cut, and a cut entry ends in an ellipsis.
    graph->resize(graph->width() / 3, graph->height());
    for (const QString &shown : graph->legendTexts())
        QVERIFY2(legends.contains(shown) || shown.endsWith(QChar(0x2026)), qPrintable(shown));
}

void TestPhotoPanes::cli_datasheet_printsTheGridRows()
{
    m_w->c.SelectResult(1);
    const PhotoRecord *first = m_w->results()->photoAt(0);
    QProcess cli;
    cli.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")),
              {QStringLiteral("--home"), m_library, QStringLiteral("datasheet"), first->label()});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    const QStringList lines =
        QString::fromUtf8(cli.readAllStandardOutput()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const DataSheet &sheet = m_w->state.photoSlots.states[0].sheet;
    QCOMPARE(lines.size(), sheet.rows);
    QCOMPARE(lines.at(0), QStringLiteral("Average Duff Depth (In.),") + sheet.cell(0, 1));
    QCOMPARE(lines.at(sheet.rows - 1), QStringLiteral("                    Total ,") + sheet.cell(sheet.rows - 1, 1));

    cli.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")),
              {QStringLiteral("--home"), m_library, QStringLiteral("datasheet"), QStringLiteral("NO-BOOK/99")});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY(cli.exitCode() != 0);
    QVERIFY(QString::fromUtf8(cli.readAllStandardError()).contains(QLatin1String("NO-BOOK/99")));
}

QTEST_MAIN(TestPhotoPanes)
#include "tst_photopanes.moc"

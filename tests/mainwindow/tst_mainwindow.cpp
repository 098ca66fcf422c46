// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands as a user meets them: the menu tree and the toolbar, compare and builder modes walked
// through the actions, the compare buttons, the reports around the Assistant and the frame's minimising (what a
// screen reader hears is tst_accessibility's).
#include "data/numberformat.h"
#include "data/photomatch.h"
#include "data/photosummary.h"
#include "data/resultsmodel.h"
#include "data/ui/frmsummary.h"
#include "files.h"
#include "help/helpcommands.h"
#include "largephoto.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/buttonbar.h"
#include "mainwindow/ui/frmfenwyx.h"
#include "mainwindow/ui/frmfieldphoto.h"
#include "mainwindow/ui/maincommands.h"
#include "mainwindow/ui/maincontroller.h"
#include "mainwindow/ui/querypane.h"
#include "mainwindow/ui/resultslistview.h"
#include "platform/ui/twips.h"
#include "present/datasheetmodel.h"
#include "present/fieldphoto.h"
#include "present/ui/comparebuttons.h"
#include "present/ui/frmview.h"
#include "present/ui/loadinggraph.h"
#include "present/ui/photopane.h"
#include "present/ui/photopanes.h"
#include "present/ui/picturebox.h"
#include "print/reportcommands.h"
#include "print/reportinputs.h"
#include "profile/ui/frmassistant.h"
#include "shell/ui/mdimain.h"
#include "testprogram.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSplitterHandle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>
#include <sys/stat.h>

namespace
{

using TestSupport::plainCaption;

// Records the reports asked for, and whether the Assistant was on the screen meanwhile.
class RecordingReports : public ReportCommands
{
public:
    QStringList calls;
    QWidget *assistant = nullptr;
    bool assistantSeen = false;

    void PrinterSetup() override { record(QStringLiteral("setup")); }
    void printPhotoReport(const PhotoSlotState &slot) override { record(QStringLiteral("photo ") + slot.label); }
    void printComparisonReport(const PhotoSlotState &left, const PhotoSlotState &right) override
    {
        record(QStringLiteral("compare ") + left.label + QLatin1Char(' ') + right.label);
    }
    void printFuelProfileReport(const FuelProfile &profile) override
    {
        record(QStringLiteral("profile ") + profile.Notes);
    }
    bool previewReports() const override { return preview; }
    void setPreviewReports(bool on) override { preview = on; }
    void setUnits(Units to) override { units = to; }
    bool preview = false;
    Units units = Units::Imperial;

private:
    void record(const QString &call)
    {
        calls << call;
        assistantSeen = assistantSeen || (assistant && assistant->isVisible());
    }
};

class RecordingHelp : public HelpCommands
{
public:
    QStringList calls;
    void helpContents() override { calls << QStringLiteral("contents"); }
    void webSupport() override { calls << QStringLiteral("web"); }
    void about() override { calls << QStringLiteral("about"); }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void menus_treeCaptionsAndInitialStates_data();
    void menus_treeCaptionsAndInitialStates();
    void toolbar_buttonsKeysTipsAndStates();
    void compare_enterKeepsLeftPhotoAndFillsRightNext();
    void compare_leave_hidesAssistantAndDisablesComparisonPrint();
    void compareAndBuilder_pagesAndPlacement();
    void assistants_commandAndHideButtonsFollowTheWindow();
    void assistant_atItsPlace_coversNoControl_data();
    void assistant_atItsPlace_coversNoControl();
    void assistant_grownOrMovedByTheUser_staysInsideOrWhereItWasPut();
    void compareButtons_emptySlotSpringsBack_data();
    void compareButtons_emptySlotSpringsBack();
    void compareButtons_tipsNameTheSideTheyActOn_data();
    void compareButtons_tipsNameTheSideTheyActOn();
    void compareButtons_rowsOfOneSlotChangeTogether();
    void viewButtons_actOnTheirSlot();
    void selectResult_showsTheItemClickedLastInTheOtherSlot();
    void itemClick_sameItemTwice_doesNothing();
    void reports_checkedThenRunAroundTheAssistant();
    void help_commandsReachTheHelpLayer();
    void modalBoxes_takeTheAssistantOutOfTheWay();
    void frameMinimised_hidesAssistantUntilRestored();
    void managePhotoSeries_inCompareMode_isSafe();
    void commands_inEveryState_neverFail();
    void filter_typingNarrowsTheListAndAQueryClearsIt();
    void photoFolder_writesTheSettingAndReadsTheSeriesAgain();
    void managePhotoSeries_noManager_offersTheFolderChooser();
    void exportResults_writesTheListAsTheBatchListDoes();
    void exportResults_replaceQuestionAndFailures();
    void exportProfile_valuesSourcesAndNotes();
    void metric_everyValueShownInMetricAndSavedAsStored();
    void seams_builderShowsWhatAddTakes_data();
    void seams_builderShowsWhatAddTakes();
    void keyboard_enterSearchesAndKeysReachTheProfileCommands();
    void match_similarPhotosListedAsAQueryResult();
    void match_typedValuesRankTheSameInEitherUnit();
    void summary_followsTheListedPhotos();
    void fieldPhoto_opensBesideTheSeriesOrChangesNothing_data();
    void fieldPhoto_opensBesideTheSeriesOrChangesNothing();
    void fieldPhoto_typedValuesAreComparedMatchedPrintedAndGivenBack();

private:
    bool trigger(const QString &name) { return TestSupport::triggerAction(&m_w->frame(), name); }
    MainController &c() { return m_w->controller(); }
    ProgramState &state() { return m_w->state(); }
    const ModeState &modes() { return state().modes.state(); }
    frmAssistant *assistant() { return c().assistant(); }
    QToolButton *toolButton(const QString &key)
    {
        return m_w->frame().findChild<QToolButton *>(QStringLiteral("barMain_") + key);
    }
    template <typename T> T *find(const QString &name) { return m_w->frame().findChild<T *>(name); }
    QString label(int row) { return c().resultsModel()->photoAt(row)->label(); }

    QTemporaryDir m_root;
    QString m_template;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestWindow> m_w;
    RecordingReports m_reports;
    RecordingHelp m_help;
};

void TestMainWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_template = m_root.filePath(QStringLiteral("template"));
    QVERIFY(TestSupport::makeSampleLibrary(m_template, {QStringLiteral("--photos"), QStringLiteral("16")}));
}

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    const QString library = m_dir->filePath(QStringLiteral("lib"));
    QVERIFY(TestSupport::copyTree(m_template, library));
    m_w = std::make_unique<TestWindow>(library);
    m_reports = RecordingReports();
    m_reports.assistant = assistant();
    m_help = RecordingHelp();
    c().setReports(&m_reports);
    c().setHelp(&m_help);
    c().SelectResult(1);
    QVERIFY(QTest::qWaitForWindowExposed(&m_w->frame()));
}

void TestMainWindow::cleanup()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
    m_w.reset();
}

void TestMainWindow::menus_treeCaptionsAndInitialStates_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items"); // name=caption, with [checked] / [disabled]; "-" a separator
    QTest::newRow("File") << "mnuFile"
                          << QStringList{"mnuPrinterSetup=Printer Setup",
                                         "mnuMP=Manage Photo Series",
                                         "mnuPhotoFolder=Photo Folder...",
                                         "-",
                                         "mnuOpenFieldPhoto=Open Field Photo...",
                                         "mnuCloseFieldPhoto=Close Field Photo[disabled]",
                                         "-",
                                         "mnuExportResults=Export Results...",
                                         "mnuExportProfile=Export Fuel Profile...",
                                         "-",
                                         "mnuExit=Exit"};
    QTest::newRow("View") << "mnuView"
                          << QStringList{"mnuListView=List View[checked]",
                                         "mnuIconView=IconView",
                                         "-",
                                         "mnuAssistants=Assistants[disabled]",
                                         "-",
                                         "mnuFilter=Filter Photos",
                                         "mnuMetric=Metric Units",
                                         "mnuSummary=Summary of Listed Photos..."};
    QTest::newRow("Reports") << "mnuReports"
                             << QStringList{"mnuPrintPhoto=Print Selected Photo/Data",
                                            "mnuPrintComparsion=Print Photo Comparison [disabled]",
                                            "mnuFuelProfilePrint=Print Current Fuel Profile[disabled]", "-",
                                            "mnuPreviewReports=Preview Reports"};
    QTest::newRow("Tools") << "mnuTools"
                           << QStringList{"mnuQuery=Query[checked]",
                                          "mnuCompare=Compare Photo Series",
                                          "mnuProfileBuilder=Fuel Profile Builder",
                                          "-",
                                          "mnuFindSimilar=Find Similar Photos",
                                          "mnuMatchValues=Match Values..."};
    QTest::newRow("Help") << "mnuHelp"
                          << QStringList{"mnuHelpContents=Help Contents", "mnuWeb=Web Based Support", "mnuAbout=About"};
}

void TestMainWindow::menus_treeCaptionsAndInitialStates()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    const QStringList captions{"File", "View", "Reports", "Tools", "Help"};
    QMenu *m = c().commands().menu(menu);
    QVERIFY(m);
    QVERIFY(captions.contains(plainCaption(m->title())));
    QStringList shown;
    QSet<QChar> keys; // access keys, one letter each within the menu
    for (QAction *a : m->actions()) {
        if (a->isSeparator()) {
            shown << QStringLiteral("-");
            continue;
        }
        const QString key = QKeySequence::mnemonic(a->text()).toString();
        QVERIFY2(!key.isEmpty(), qPrintable(a->text()));
        QVERIFY2(!keys.contains(key.back()), qPrintable(a->text()));
        keys.insert(key.back());
        QString item = a->objectName() + QLatin1Char('=') + plainCaption(a->text());
        if (a->isChecked())
            item += QStringLiteral("[checked]");
        if (!a->isEnabled())
            item += QStringLiteral("[disabled]");
        shown << item;
    }
    QCOMPARE(shown, items);
}

void TestMainWindow::toolbar_buttonsKeysTipsAndStates()
{
    ButtonBar *bar = find<ButtonBar>(QStringLiteral("barMain"));
    QVERIFY(bar);
    QStringList shown;
    for (QAction *a : bar->actions()) {
        if (a->isSeparator()) {
            shown << QStringLiteral("-");
            continue;
        }
        QWidget *button = bar->widgetForAction(a);
        QString entry = button->objectName() + QLatin1Char(' ') + a->toolTip();
        if (a->isCheckable())
            entry += a->isChecked() ? QStringLiteral(" pressed") : QStringLiteral(" up");
        if (!a->isEnabled())
            entry += QStringLiteral(" disabled");
        shown << entry;
    }
    QCOMPARE(shown,
             (QStringList{"barMain_Query Close Query Window pressed", "barMain_Compare Open Compare Mode up",
                          "barMain_Builder Open Builder Mode up", "barMain_Assistant Hide Assistant up disabled", "-",
                          "barMain_Icon View Photos as Icons up", "barMain_List View Photos as List pressed", "-",
                          "barMain_Exit Exit Fenwyx", "-", "barMain_Help Press here for Help"}));
    // The same actions as the menus: pressing a button is choosing the menu item.
    QCOMPARE(bar->actions().constFirst(), c().commands().mnuQuery);
}

void TestMainWindow::compare_enterKeepsLeftPhotoAndFillsRightNext()
{
    const QString left = state().photoSlots.states[0].label;
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    QVERIFY(modes().compareOn);
    QCOMPARE(modes().AssistantModes, 1);
    QVERIFY(c().commands().mnuCompare->isChecked());
    QVERIFY(toolButton(QStringLiteral("Compare"))->isChecked());
    QCOMPARE(state().photoSlots.states[0].label, left);
    QVERIFY(!c().SlotHasPhoto(1));
    QCOMPARE(state().photoSlots.CurrentSlot, 1);
    QCOMPARE(c().photoPanes()->pane(1)->lblNoPic()->text(), QStringLiteral("Select a photo from the list"));
    // The Assistant is up on its comparison page, which alone is switched on.
    QVERIFY(assistant()->isVisible());
    QCOMPARE(assistant()->TabAssistant()->currentIndex(), 0);
    QVERIFY(!assistant()->TabAssistant()->isTabEnabled(1));
    QVERIFY(c().commands().mnuAssistants->isEnabled());
    QVERIFY(c().commands().mnuAssistants->isChecked());
    QVERIFY(toolButton(QStringLiteral("Assistant"))->isChecked());
    QCOMPARE(assistant()->label(QStringLiteral("lblPhoto_0"))->text(), left);
    QVERIFY(assistant()->label(QStringLiteral("lblPhoto_1"))->text().isEmpty());
    QVERIFY(!c().commands().mnuPrintComparsion->isEnabled());

    c().lstPhotos_ItemClick(3);
    QCOMPARE(state().photoSlots.states[1].label, label(3));
    QCOMPARE(state().photoSlots.states[0].label, left);
    QCOMPARE(assistant()->label(QStringLiteral("lblPhoto_1"))->text(), label(3));
    QVERIFY(assistant()->label(QStringLiteral("lblPhoto_1"))->font().bold());
    QVERIFY(!assistant()->label(QStringLiteral("lblPhoto_0"))->font().bold());
    QVERIFY(c().commands().mnuPrintComparsion->isEnabled());
}

void TestMainWindow::compare_leave_hidesAssistantAndDisablesComparisonPrint()
{
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    c().lstPhotos_ItemClick(2);
    QVERIFY(c().commands().mnuPrintComparsion->isEnabled());
    toolButton(QStringLiteral("Compare"))->click();
    QVERIFY(!modes().compareOn);
    QCOMPARE(modes().AssistantModes, 0);
    QVERIFY(!assistant()->isVisible());
    QVERIFY(!c().commands().mnuAssistants->isEnabled());
    QVERIFY(!toolButton(QStringLiteral("Assistant"))->isEnabled());
    QVERIFY(!c().commands().mnuPrintComparsion->isEnabled());
    QCOMPARE(state().photoSlots.CurrentSlot, 0);
    // The single layout starts on the data sheet again, in the right pane.
    QVERIFY(c().browseButtons()->vseBrowseData()->isChecked());
    QVERIFY(c().photoPanes()->pane(0)->grdselect()->isVisible());
}

void TestMainWindow::compareAndBuilder_pagesAndPlacement()
{
    MDIMain &frame = m_w->frame();
    QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
    QCOMPARE(modes().AssistantModes, 10);
    QVERIFY(assistant()->isVisible());
    QCOMPARE(assistant()->TabAssistant()->currentIndex(), 1);
    QVERIFY(!assistant()->TabAssistant()->isTabEnabled(0));
    // Placed inside the frame, along its top, 700 twips in from its right edge.
    const QRect outer = frame.frameGeometry();
    const QRect placed = assistant()->frameGeometry();
    QCOMPARE(placed.y(), outer.y());
    QCOMPARE(placed.right() + 1, outer.right() + 1 - twips(&frame, 700));

    // Moved by the user: entering compare mode as well does not move it, and the page stays.
    assistant()->move(placed.topLeft() + QPoint(-40, 30));
    const QPoint moved = assistant()->pos();
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    QCOMPARE(modes().AssistantModes, 11);
    QCOMPARE(assistant()->pos(), moved);
    QCOMPARE(assistant()->TabAssistant()->currentIndex(), 1);
    QVERIFY(assistant()->TabAssistant()->isTabEnabled(0));
    QVERIFY(assistant()->TabAssistant()->isTabEnabled(1));

    QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
    QCOMPARE(modes().AssistantModes, 1);
    QVERIFY(modes().AssistantModeDropped);
    QVERIFY(assistant()->isVisible());
    QCOMPARE(assistant()->TabAssistant()->currentIndex(), 0);
    QVERIFY(c().commands().mnuAssistants->isChecked());
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    QVERIFY(!assistant()->isVisible());
}

void TestMainWindow::assistants_commandAndHideButtonsFollowTheWindow()
{
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    QToolButton *button = toolButton(QStringLiteral("Assistant"));
    QCOMPARE(button->toolTip(), QStringLiteral("Hide Assistant"));
    button->click();
    QVERIFY(!assistant()->isVisible());
    QVERIFY(!button->isChecked());
    QVERIFY(!c().commands().mnuAssistants->isChecked());
    QCOMPARE(button->toolTip(), QStringLiteral("Display Assistant"));
    QVERIFY(trigger(QStringLiteral("mnuAssistants")));
    QVERIFY(assistant()->isVisible());
    QVERIFY(button->isChecked());
    QCOMPARE(button->toolTip(), QStringLiteral("Hide Assistant"));
    // Both "Hide" buttons run the same command; so does the window's close box.
    assistant()->button(QStringLiteral("cmdClose_0"))->click();
    QVERIFY(!assistant()->isVisible());
    QVERIFY(!c().commands().mnuAssistants->isChecked());
    QVERIFY(trigger(QStringLiteral("mnuAssistants")));
    assistant()->close();
    QVERIFY(!assistant()->isVisible());
    QVERIFY(!button->isChecked());
    QVERIFY(trigger(QStringLiteral("mnuAssistants")));
    QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
    assistant()->button(QStringLiteral("cmdClose_1"))->click();
    QVERIFY(!assistant()->isVisible());
    QCOMPARE(modes().AssistantModes, 11); // hiding the window leaves the modes on
}

void TestMainWindow::assistant_atItsPlace_coversNoControl_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<bool>("compare");
    QTest::addColumn<bool>("builder");
    // The frame's first size on a screen of its size or less, the fixtures' size, and a common laptop's screen.
    for (const QSize size : {QSize(1100, 800), QSize(1200, 860), QSize(1280, 800)}) {
        const QString name = QStringLiteral("%1x%2, ").arg(size.width()).arg(size.height());
        QTest::newRow(qPrintable(name + QStringLiteral("compare"))) << size << true << false;
        QTest::newRow(qPrintable(name + QStringLiteral("builder"))) << size << false << true;
        QTest::newRow(qPrintable(name + QStringLiteral("both"))) << size << true << true;
    }
}

void TestMainWindow::assistant_atItsPlace_coversNoControl()
{
    QFETCH(QSize, frame);
    QFETCH(bool, compare);
    QFETCH(bool, builder);
    MDIMain &f = m_w->frame();
    f.resize(frame);
    QTRY_COMPARE(f.size(), frame);
    if (compare)
        QVERIFY(trigger(QStringLiteral("mnuCompare")));
    if (builder)
        QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
    if (compare)
        c().SelectResult(2);
    QVERIFY(assistant()->isVisible());
    // Its place by the frame: inside it, along its top, 700 twips in from its right edge.
    const QRect outer = f.frameGeometry();
    const QRect covered = assistant()->frameGeometry();
    QCOMPARE(covered.topRight(), QPoint(outer.right() - twips(&f, 700), outer.top()));
    QVERIFY(outer.contains(covered));

    auto usable = [this](QWidget *w) {
        return !assistant()->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
               (qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) ||
                qobject_cast<QAbstractItemView *>(w) || qobject_cast<QTabBar *>(w) ||
                qobject_cast<QAbstractSlider *>(w) || qobject_cast<QSplitterHandle *>(w));
    };
    QTabWidget *pages = c().queryPane()->tabQuery();
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        QStringList under;
        for (QWidget *w : f.findChildren<QWidget *>()) {
            if (usable(w) && QRect(w->mapToGlobal(QPoint(0, 0)), w->size()).intersects(covered))
                under << w->objectName() + QLatin1Char('(') + QString::fromLatin1(w->metaObject()->className()) +
                             QLatin1Char(')');
        }
        QMenuBar *menus = f.menuBar();
        for (QAction *menu : menus->actions()) {
            const QRect item = menus->actionGeometry(menu);
            if (QRect(menus->mapToGlobal(item.topLeft()), item.size()).intersects(covered))
                under << plainCaption(menu->text());
        }
        QVERIFY2(under.isEmpty(),
                 qPrintable(QStringLiteral("query page %1: ").arg(page) + under.join(QLatin1String(", "))));
    }
}

void TestMainWindow::assistant_grownOrMovedByTheUser_staysInsideOrWhereItWasPut()
{
    MDIMain &f = m_w->frame();
    f.resize(1100, 800);
    QTRY_COMPARE(f.size(), QSize(1100, 800));
    QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
    const QRect before = assistant()->frameGeometry();
    auto atItsPlace = [&f](const QRect &placed) {
        const QRect outer = f.frameGeometry();
        return outer.contains(placed) && placed.topRight() == QPoint(outer.right() - twips(&f, 700), outer.top());
    };
    QVERIFY(atItsPlace(before));
    QVERIFY(!m_w->controller().window()->assistantRoom().isEmpty());

    // A profile whose source labels are far wider than any screen: the window grows, within the frame.
    const QString wide = QString(400, QLatin1Char('W'));
    const QByteArray bytes = "\"Long sources\"\r\n\"\"\r\n\"" + wide.toLatin1() + "\"\r\n1.04\r\n2.03\r\n.02\r\n\"" +
                             wide.toLatin1() + "\"\r\n0\r\n\"\"\r\n\"\"\r\n-1\r\n.5\r\n";
    const QString file = m_dir->filePath(QStringLiteral("wide.pro"));
    QVERIFY(TestSupport::writeBytes(file, bytes));
    m_w->program.dialogs.fileNames.push_back(file);
    assistant()->button(QStringLiteral("cmdLoad"))->click();
    QCOMPARE(assistant()->label(QStringLiteral("lblPL0to3"))->toolTip(), wide);
    // A screen reader hears the whole label, not what the window had room for.
    QCOMPARE(
        QAccessible::queryAccessibleInterface(assistant()->label(QStringLiteral("lblPL0to3")))->text(QAccessible::Name),
        wide);
    QTRY_VERIFY(assistant()->frameGeometry().width() > before.width());
    QTRY_VERIFY(atItsPlace(assistant()->frameGeometry()));

    // Put elsewhere by the user: hidden and shown again, it stays there, and the window gives its room back.
    const QPoint put = assistant()->pos() + QPoint(-60, 40);
    assistant()->move(put);
    QTRY_VERIFY(m_w->controller().window()->assistantRoom().isEmpty());
    QVERIFY(trigger(QStringLiteral("mnuAssistants")));
    QVERIFY(!assistant()->isVisible());
    QVERIFY(trigger(QStringLiteral("mnuAssistants")));
    QVERIFY(assistant()->isVisible());
    QCOMPARE(assistant()->pos(), put);
    // Once the frame has changed its size, showing it again puts it back at its place by the frame.
    QVERIFY(trigger(QStringLiteral("mnuAssistants")));
    f.resize(1280, 800);
    QTRY_COMPARE(f.size(), QSize(1280, 800));
    QVERIFY(trigger(QStringLiteral("mnuAssistants")));
    QVERIFY(atItsPlace(assistant()->frameGeometry()));
    QTRY_VERIFY(!m_w->controller().window()->assistantRoom().isEmpty());
}

void TestMainWindow::compareButtons_emptySlotSpringsBack_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    QTest::newRow("data") << "vseCompareData_1"
                          << "ERROR - Can't view data, no photo selected";
    QTest::newRow("graph, second row") << "vseCompareGraph_3"
                                       << "ERROR - Can't view graph, no photo selected";
    QTest::newRow("view") << "vseView_2"
                          << "ERROR - Can't view, no photo selected";
}

void TestMainWindow::compareButtons_emptySlotSpringsBack()
{
    QFETCH(QString, button);
    QFETCH(QString, message);
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    state().status.ShowStatus(StatusClear, QString());
    QVERIFY(state().status.message().isEmpty()); // entering pressed the Image buttons without a message
    auto *b = find<QPushButton>(button);
    QVERIFY(b && b->isVisible() && b->isEnabled());
    b->click();
    QCOMPARE(state().status.message(), message);
    QVERIFY(!b->isChecked());
    QCOMPARE(modes().paneView[1], PaneView::Image);
    QVERIFY(find<QPushButton>(QStringLiteral("vseCompareImage_1"))->isChecked());
    QVERIFY(c().photoPanes()->pane(1)->lblNoPic()->isVisible());
}

void TestMainWindow::compareButtons_tipsNameTheSideTheyActOn_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("buttons"); // Data, Graph, View, Image
    QTest::addColumn<QString>("side");
    QTest::newRow("row 0") << 0
                           << QStringList{"vseCompareData_1", "vseCompareGraph_1", "vseView_2", "vseCompareImage_1"}
                           << "right";
    QTest::newRow("row 1") << 1
                           << QStringList{"vseCompareData_0", "vseCompareGraph_0", "vseView_1", "vseCompareImage_0"}
                           << "left";
    QTest::newRow("row 2") << 2
                           << QStringList{"vseCompareData_2", "vseCompareGraph_2", "vseView_0", "vseCompareImage_2"}
                           << "left";
    QTest::newRow("row 3") << 3
                           << QStringList{"vseCompareData_3", "vseCompareGraph_3", "vseView_3", "vseCompareImage_3"}
                           << "right";
}

void TestMainWindow::compareButtons_tipsNameTheSideTheyActOn()
{
    QFETCH(int, row);
    QFETCH(QStringList, buttons);
    QFETCH(QString, side);
    QWidget *rowWidget = find<QWidget>(QStringLiteral("vseCompareButtons_%1").arg(row));
    QVERIFY(rowWidget);
    const QStringList captions{"Data", "Graph", "View", "Image"};
    const QStringList tips{"View %1 data grid", "View %1 loading graph", "View %1 full size image",
                           "View %1 photo image"};
    for (int i = 0; i < 4; ++i) {
        auto *b = rowWidget->findChild<QPushButton *>(buttons.at(i));
        QVERIFY2(b, qPrintable(buttons.at(i)));
        QCOMPARE(b->text(), captions.at(i));
        QCOMPARE(b->toolTip(), tips.at(i).arg(side));
    }
}

void TestMainWindow::compareButtons_rowsOfOneSlotChangeTogether()
{
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    // Graph in row 2 acts on the left photo: rows 1 and 2 (indexes 0 and 2) change together.
    find<QPushButton>(QStringLiteral("vseCompareGraph_2"))->click();
    QCOMPARE(modes().paneView[0], PaneView::Graph);
    for (const char *name : {"vseCompareGraph_0", "vseCompareGraph_2"}) {
        auto *b = find<QPushButton>(QString::fromLatin1(name));
        QVERIFY(b->isChecked());
        QVERIFY(!b->isEnabled());
    }
    for (const char *name : {"vseCompareImage_0", "vseCompareImage_2", "vseCompareData_0", "vseCompareData_2"}) {
        auto *b = find<QPushButton>(QString::fromLatin1(name));
        QVERIFY(!b->isChecked());
        QVERIFY(b->isEnabled());
    }
    PhotoPane *left = c().photoPanes()->pane(0);
    QVERIFY(left->chtTotal()->isVisible());
    QVERIFY(!left->picPreviewPhoto()->isVisible());
    QVERIFY(!left->lblNoPic()->isVisible());
    // The right slot's rows (indexes 1 and 3) stayed on the picture.
    QVERIFY(find<QPushButton>(QStringLiteral("vseCompareImage_3"))->isChecked());
    find<QPushButton>(QStringLiteral("vseCompareData_0"))->click();
    QVERIFY(left->grdselect()->isVisible());
    QVERIFY(!left->chtTotal()->isVisible());
    QVERIFY(find<QPushButton>(QStringLiteral("vseCompareData_2"))->isChecked());
}

void TestMainWindow::viewButtons_actOnTheirSlot()
{
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    c().lstPhotos_ItemClick(5);
    const PhotoRecord *right = c().resultsModel()->photoAt(5);
    const PhotoRecord *left = c().resultsModel()->photoAt(0);
    find<QPushButton>(QStringLiteral("vseView_2"))->click(); // the right photo
    frmView *view = c().viewWindow();
    QVERIFY(view && view->isVisible());
    QCOMPARE(QFileInfo(view->ViewPhotoFile).fileName(), right->photoPic);
    find<QPushButton>(QStringLiteral("vseView_1"))->click(); // the left photo
    QCOMPARE(QFileInfo(view->ViewPhotoFile).fileName(), left->photoPic);
    find<QPushButton>(QStringLiteral("vseView_3"))->click();
    QCOMPARE(QFileInfo(view->ViewPhotoFile).fileName(), right->photoPic);
}

void TestMainWindow::selectResult_showsTheItemClickedLastInTheOtherSlot()
{
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    // Row 1 was clicked last (into the left slot); asked for again, it goes to the right slot.
    c().SelectResult(1);
    QCOMPARE(state().photoSlots.states[1].label, label(0));
}

void TestMainWindow::itemClick_sameItemTwice_doesNothing()
{
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    c().lstPhotos_ItemClick(0); // clicked last at start-up: nothing, also in the other slot
    QVERIFY(!c().SlotHasPhoto(1));
    c().lstPhotos_ItemClick(4);
    c().SelectSlot(0);
    c().lstPhotos_ItemClick(4);
    QCOMPARE(state().photoSlots.states[0].label, label(0));
    c().lstPhotos_ItemClick(6);
    QCOMPARE(state().photoSlots.states[0].label, label(6));
}

void TestMainWindow::reports_checkedThenRunAroundTheAssistant()
{
    // The profile report needs a component first; the comparison report two photos.
    QVERIFY(!c().commands().mnuFuelProfilePrint->isEnabled());
    QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
    assistant()->button(QStringLiteral("cmdSelect0to3"))->click();
    QVERIFY(c().commands().mnuFuelProfilePrint->isEnabled());
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    QVERIFY(trigger(QStringLiteral("mnuPrintPhoto"))); // the right slot is current and empty
    QCOMPARE(state().status.message(), QStringLiteral("ERROR - Can't print, no photo selected"));
    c().commands().mnuPrintComparsion->setEnabled(true); // as a shortcut would reach it
    c().commands().mnuPrintComparsion->trigger();
    QCOMPARE(state().status.message(), QStringLiteral("ERROR - Can't print, two photos  not selected"));
    QVERIFY(m_reports.calls.isEmpty());

    c().lstPhotos_ItemClick(2);
    QVERIFY(assistant()->isVisible());
    QVERIFY(trigger(QStringLiteral("mnuPrintPhoto")));
    QVERIFY(trigger(QStringLiteral("mnuPrintComparsion")));
    QVERIFY(trigger(QStringLiteral("mnuFuelProfilePrint")));
    QVERIFY(trigger(QStringLiteral("mnuPrinterSetup")));
    QCOMPARE(m_reports.calls,
             (QStringList{"photo " + label(2), "compare " + label(0) + " " + label(2), "profile ", "setup"}));
    QVERIFY(!m_reports.assistantSeen);
    QVERIFY(assistant()->isVisible()); // back after each

    // Hidden before, hidden after.
    QVERIFY(trigger(QStringLiteral("mnuAssistants")));
    QVERIFY(trigger(QStringLiteral("mnuPrinterSetup")));
    QVERIFY(!assistant()->isVisible());
}

void TestMainWindow::help_commandsReachTheHelpLayer()
{
    QVERIFY(trigger(QStringLiteral("mnuHelpContents")));
    toolButton(QStringLiteral("Help"))->click();
    QVERIFY(trigger(QStringLiteral("mnuWeb")));
    QVERIFY(trigger(QStringLiteral("mnuAbout")));
    QCOMPARE(m_help.calls, (QStringList{"contents", "contents", "web", "about"}));
    QCOMPARE(c().commands().mnuHelpContents->shortcut(), QKeySequence(QKeySequence::HelpContents));
}

void TestMainWindow::modalBoxes_takeTheAssistantOutOfTheWay()
{
    QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
    QList<bool> seen;
    m_w->program.dialogs.onAsk = [this, &seen] { seen << assistant()->isVisible(); };
    assistant()->button(QStringLiteral("cmdSaveAs"))->click(); // the save dialog, cancelled
    assistant()->button(QStringLiteral("cmdLoad"))->click();   // the load dialog, cancelled
    QCOMPARE(seen, (QList<bool>{false, false}));
    QVERIFY(assistant()->isVisible());
    m_w->program.dialogs.onAsk = {};
}

void TestMainWindow::frameMinimised_hidesAssistantUntilRestored()
{
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    QVERIFY(assistant()->isVisible());
    m_w->frame().setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(!assistant()->isVisible());
    m_w->frame().setWindowState(Qt::WindowNoState);
    QTRY_VERIFY(assistant()->isVisible());
    // A hidden Assistant stays hidden.
    QVERIFY(trigger(QStringLiteral("mnuAssistants")));
    m_w->frame().setWindowState(Qt::WindowMinimized);
    m_w->frame().setWindowState(Qt::WindowNoState);
    QApplication::processEvents();
    QVERIFY(!assistant()->isVisible());
}

void TestMainWindow::managePhotoSeries_inCompareMode_isSafe()
{
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    c().lstPhotos_ItemClick(2);
    QVERIFY(trigger(QStringLiteral("mnuMP")));
    QCOMPARE(m_w->program.processes.started, std::vector<QString>{QStringLiteral("fenwyx-photomgr")});
    QCOMPARE(c().resultsModel()->rowCount(), 16);
    QVERIFY(modes().LastItemKey.isEmpty());
    c().lstPhotos_ItemClick(2); // the list was refilled: the same item shows again
    QCOMPARE(state().photoSlots.states[1].label, label(2));
}

void TestMainWindow::commands_inEveryState_neverFail()
{
    // Every command in a run of states; nothing may crash and the derived states stay consistent.
    const QStringList commands{"mnuCompare",        "mnuAssistants", "mnuProfileBuilder", "mnuQuery",
                               "mnuIconView",       "mnuListView",   "mnuCompare",        "mnuPrintPhoto",
                               "mnuProfileBuilder", "mnuQuery",      "mnuCompare"};
    for (const QString &name : commands) {
        QAction *action = find<QAction>(name);
        QVERIFY(action);
        if (action->isEnabled())
            action->trigger();
        QCOMPARE(c().commands().mnuAssistants->isEnabled(), modes().AssistantModes != 0);
        QCOMPARE(c().commands().mnuAssistants->isChecked(), modes().AssistantModes != 0 && assistant()->isVisible());
        QCOMPARE(c().commands().mnuCompare->isChecked(), modes().compareOn);
        QCOMPARE(c().window()->queryRegion()->isVisible(), modes().queryOpen);
    }
    // Buttons of the Assistant with nothing to work on.
    QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
    for (const char *name : {"cmdGo0to3", "cmdGoDuff", "cmdSelectDuff", "cmdNotes", "cmdNotes"})
        assistant()->button(QString::fromLatin1(name))->click();
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.cbegin(), windows.cend(),
                           [](QWidget *w) { return w->objectName() == QLatin1String("frmnotes") && w->isVisible(); }),
             1);
    QVERIFY(modes().compareOn);
    QVERIFY(trigger(QStringLiteral("mnuCompare")));
    c().photoPanes()->tabControl()->setCurrentIndex(1); // no slot tabs in the single layout
    QCOMPARE(state().photoSlots.CurrentSlot, 0);
}

void TestMainWindow::filter_typingNarrowsTheListAndAQueryClearsIt()
{
    QLineEdit *box = find<QLineEdit>(QStringLiteral("txtFilter"));
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->placeholderText(), QStringLiteral("Filter photos"));
    QVERIFY(trigger(QStringLiteral("mnuFilter")));
    QTRY_VERIFY(box->hasFocus());
    const QString first = label(0);
    const QString wanted = label(5);
    QTest::keyClicks(box, wanted.toLower());
    QCOMPARE(c().resultsModel()->rowCount(), 1);
    QCOMPARE(state().status.count(), QStringLiteral("1 of 16 photos shown"));
    // The photo shown stays where it was; choosing the listed one shows it.
    QCOMPARE(state().photoSlots.states[0].label, first);
    c().lstPhotos_ItemClick(0);
    QCOMPARE(state().photoSlots.states[0].label, wanted);
    box->clear();
    QCOMPARE(c().resultsModel()->rowCount(), 16);
    QCOMPARE(state().status.count(), QStringLiteral("16 photos found"));
    QCOMPARE(c().resultsList()->currentRow(), 5); // the photo clicked last stays selected
    // A new query clears the filter.
    QTest::keyClicks(box, QStringLiteral("zzz-no-such-photo"));
    QCOMPARE(c().resultsModel()->rowCount(), 0);
    find<QPushButton>(QStringLiteral("cmdAll_0"))->click();
    QVERIFY(box->text().isEmpty());
    QCOMPARE(c().resultsModel()->rowCount(), 16);
}

void TestMainWindow::photoFolder_writesTheSettingAndReadsTheSeriesAgain()
{
    ScriptedDialogs &dialogs = m_w->program.dialogs;
    // Cancelled: nothing changes.
    QVERIFY(trigger(QStringLiteral("mnuPhotoFolder")));
    QCOMPARE(dialogs.folderStarts.size(), size_t(1));
    QCOMPARE(dialogs.folderStarts[0], state().photoDirectory.folder());
    QVERIFY(state().photoDirectory.value() == QStringLiteral("photoimages/"));
    QVERIFY(!modes().LastItemKey.isEmpty());

    // The series copied elsewhere: chosen, written with its separator, and the photos found there.
    const QString moved = m_dir->filePath(QStringLiteral("moved"));
    QVERIFY(TestSupport::copyTree(state().programFolder + QStringLiteral("/PhotoImages"), moved));
    QVERIFY(QDir(state().programFolder + QStringLiteral("/PhotoImages")).removeRecursively());
    dialogs.folders.push_back(moved);
    QVERIFY(trigger(QStringLiteral("mnuPhotoFolder")));
    QCOMPARE(m_w->program.settings().readText("Brackel", "General", "PhotoDir", {}), moved + QLatin1Char('/'));
    QCOMPARE(state().photoDirectory.value(), moved + QLatin1Char('/'));
    QVERIFY(modes().LastItemKey.isEmpty()); // the lists were filled afresh
    QCOMPARE(c().resultsModel()->rowCount(), 16);
    QVERIFY(state().status.icon() != StatusReporter::Icon::Error);
    c().SelectResult(2);
    QCOMPARE(state().photoSlots.states[0].ImageSource, int(ImagePhotoDirectory));
}

void TestMainWindow::managePhotoSeries_noManager_offersTheFolderChooser()
{
    m_w->program.processes.canStart = false;
    QVERIFY(trigger(QStringLiteral("mnuMP")));
    QCOMPARE(m_w->program.dialogs.folderStarts.size(), size_t(1));
    QCOMPARE(state().status.message(), QStringLiteral("ERROR - Can't start the photo manager (fenwyx-photomgr)"));

    const QString folder = m_dir->filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(folder));
    m_w->program.dialogs.folders.push_back(folder);
    QVERIFY(trigger(QStringLiteral("mnuMP")));
    QCOMPARE(state().photoDirectory.value(), folder + QLatin1Char('/'));
    QVERIFY(state().status.icon() != StatusReporter::Icon::Error);
}

void TestMainWindow::exportResults_writesTheListAsTheBatchListDoes()
{
    QProcess cli;
    cli.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")),
              {QStringLiteral("--home"), state().programFolder, QStringLiteral("list")});
    QVERIFY(cli.waitForFinished(60000));
    const QByteArray listed = cli.readAllStandardOutput();
    QVERIFY(!listed.isEmpty());

    const QString file = m_dir->filePath(QStringLiteral("all"));
    m_w->program.dialogs.fileNames.push_back(file);
    QVERIFY(trigger(QStringLiteral("mnuExportResults")));
    QCOMPARE(TestSupport::fileBytes(file + QStringLiteral(".csv")), listed);

    // Filtered and sorted: the rows the list shows, in its order.
    find<QLineEdit>(QStringLiteral("txtFilter"))->setText(QStringLiteral("PNW"));
    c().resultsModel()->sort(ResultsModel::Total, Qt::DescendingOrder);
    const QString some = m_dir->filePath(QStringLiteral("some.csv"));
    m_w->program.dialogs.fileNames.push_back(some);
    QVERIFY(trigger(QStringLiteral("mnuExportResults")));
    const QList<QByteArray> lines = TestSupport::fileBytes(some).split('\n');
    QCOMPARE(lines.first(), listed.split('\n').first());
    QCOMPARE(lines.size() - 2, c().resultsModel()->rowCount()); // the header, and nothing after the last line end
    for (int row = 0; row < c().resultsModel()->rowCount(); ++row)
        QVERIFY(lines.at(row + 1).startsWith(label(row).toUtf8() + ','));
}

void TestMainWindow::exportResults_replaceQuestionAndFailures()
{
    ScriptedDialogs &dialogs = m_w->program.dialogs;
    const QString file = m_dir->filePath(QStringLiteral("taken.csv"));
    QVERIFY(TestSupport::writeBytes(file, "keep me"));
    dialogs.fileNames.push_back(file);
    dialogs.answers.push_back(MessageAnswer::No);
    QVERIFY(trigger(QStringLiteral("mnuExportResults")));
    QCOMPARE(dialogs.messages.back().text, file + QStringLiteral(" exists. Do you wish to replace it?"));
    QCOMPARE(TestSupport::fileBytes(file), QByteArray("keep me"));
    dialogs.fileNames.push_back(file);
    dialogs.answers.push_back(MessageAnswer::Yes);
    QVERIFY(trigger(QStringLiteral("mnuExportResults")));
    QVERIFY(TestSupport::fileBytes(file).startsWith("Book/Photo ID,"));

    // A folder that does not exist: said so, and no file anywhere.
    const QString nowhere = m_dir->filePath(QStringLiteral("no/such/folder/x.csv"));
    dialogs.fileNames.push_back(nowhere);
    QVERIFY(trigger(QStringLiteral("mnuExportResults")));
    QVERIFY(dialogs.messages.back().text.startsWith(QStringLiteral("Could not export to ") + nowhere));
    QVERIFY(!QFileInfo::exists(nowhere));
    // Cancelled: nothing asked, nothing written.
    const size_t asked = dialogs.messages.size();
    QVERIFY(trigger(QStringLiteral("mnuExportResults")));
    QCOMPARE(dialogs.messages.size(), asked);
}

void TestMainWindow::exportProfile_valuesSourcesAndNotes()
{
    QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
    assistant()->button(QStringLiteral("cmdSelect0to3"))->click();
    state().profile.setNotes(QStringLiteral("North slope, \"two\" lines\nsecond"));
    const QString file = m_dir->filePath(QStringLiteral("profile.csv"));
    m_w->program.dialogs.fileNames.push_back(file);
    QVERIFY(trigger(QStringLiteral("mnuExportProfile")));
    QCOMPARE(m_w->program.dialogs.fileRequests.back().fileName, QStringLiteral("profile.csv"));
    const QString text = QString::fromUtf8(TestSupport::fileBytes(file));
    const FuelProfile &p = state().profile.profile();
    QVERIFY2(text.startsWith(QStringLiteral("Item,Value,Shown,Source photo\r\nProfile Name,Untitled,Untitled,\r\n")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("\"0\"\" - 2.9\"\" TPA\",") +
                          QString::number(p.Tpa1 + p.Tpa2 + p.Tpa3, 'g', 15) + QLatin1Char(',') +
                          assistant()->label(QStringLiteral("lblPro0to3"))->text() + QLatin1Char(',') + p.Source0to3 +
                          QStringLiteral("\r\n")));
    QVERIFY(text.contains(QStringLiteral("Notes,\"North slope, \"\"two\"\" lines\nsecond\"")));
}

void TestMainWindow::metric_everyValueShownInMetricAndSavedAsStored()
{
    // A profile built and saved in the original units, for comparison.
    QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
    assistant()->button(QStringLiteral("cmdSelect0to3"))->click();
    assistant()->button(QStringLiteral("cmdSelect3Plus"))->click();
    assistant()->button(QStringLiteral("cmdSelectFuelBed"))->click();
    const QString imperialFile = m_dir->filePath(QStringLiteral("imperial.pro"));
    m_w->program.dialogs.fileNames.push_back(imperialFile);
    assistant()->button(QStringLiteral("cmdSaveAs"))->click();
    const QString fine = assistant()->label(QStringLiteral("lblPro0to3"))->text();

    QVERIFY(trigger(QStringLiteral("mnuMetric")));
    QVERIFY(c().commands().mnuMetric->isChecked());
    QCOMPARE(m_reports.units, Units::Metric);
    QCOMPARE(c().resultsModel()->headerData(ResultsModel::Total, Qt::Horizontal).toString(),
             QStringLiteral("Total (Mg/ha)"));
    QCOMPARE(state().photoSlots.states[0].sheet.cell(4, 0), QStringLiteral("Loading (Mg/ha)"));
    QCOMPARE(c().photoPanes()->pane(0)->sheetModel()->sheet().cell(0, 0), QStringLiteral("Average Duff Depth (cm)"));
    const double shownFine = assistant()->label(QStringLiteral("lblPro0to3"))->text().toDouble();
    QVERIFY(qAbs(shownFine - fine.toDouble() * 2.241702) < 0.1);
    QVERIFY(assistant()->findChildren<QLabel *>().count() > 0);
    bool captioned = false;
    for (QLabel *l : assistant()->findChildren<QLabel *>())
        captioned = captioned || l->text() == QLatin1String("0 - 7.4 cm Mg/ha");
    QVERIFY(captioned);
    // The query pane counts in Mg/ha, and a query in the shown unit finds what the list shows.
    auto *to = find<QComboBox>(QStringLiteral("cboTotalLoad_1"));
    QVERIFY(to->currentText().trimmed().toInt() > 0);

    // Taken and saved in metric units: the same file, byte for byte.
    assistant()->button(QStringLiteral("cmdNew"))->click();
    assistant()->button(QStringLiteral("cmdSelect0to3"))->click();
    assistant()->button(QStringLiteral("cmdSelect3Plus"))->click();
    assistant()->button(QStringLiteral("cmdSelectFuelBed"))->click();
    const QString metricFile = m_dir->filePath(QStringLiteral("metric.pro"));
    m_w->program.dialogs.fileNames.push_back(metricFile);
    assistant()->button(QStringLiteral("cmdSaveAs"))->click();
    QCOMPARE(TestSupport::fileBytes(metricFile), TestSupport::fileBytes(imperialFile));

    // Remembered between runs; off again gives the original texts back.
    QCOMPARE(m_w->program.settings().readText("Fenwyx", "Window", "MetricUnits", {}), QStringLiteral("1"));
    QVERIFY(trigger(QStringLiteral("mnuMetric")));
    QCOMPARE(state().photoSlots.states[0].sheet.cell(4, 0), QStringLiteral("Loading (Tons per acre)"));
    QCOMPARE(assistant()->label(QStringLiteral("lblPro0to3"))->text(), fine);
}

void TestMainWindow::seams_builderShowsWhatAddTakes_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("compare left while builder is on") << QStringList{"builder", "compare", "click 3", "compare"};
    QTest::newRow("compare entered, the right pane still empty") << QStringList{"builder", "compare"};
    QTest::newRow("slots chosen by tab and by pane")
        << QStringList{"builder", "compare", "click 3", "slot 0", "click 5", "tab 1", "pane 0", "click 7"};
    QTest::newRow("a query that erases the panes")
        << QStringList{"builder", "compare", "click 3", "slot 0", "erase", "slot 1", "compare"};
    QTest::newRow("builder after compare, compare left")
        << QStringList{"compare", "click 2", "builder", "slot 0", "compare", "click 4"};
    QTest::newRow("builder left and entered again")
        << QStringList{"builder", "compare", "click 6", "builder", "slot 0", "builder", "compare"};
}

// After every step, the builder page's current photo is the photo the panes show in that slot, "Add >" takes
// exactly it, and the comparison page marks the current slot.
void TestMainWindow::seams_builderShowsWhatAddTakes()
{
    QFETCH(QStringList, steps);
    for (const QString &step : std::as_const(steps)) {
        const QStringList words = step.split(QLatin1Char(' '));
        const int n = words.value(1).toInt();
        if (words[0] == QLatin1String("builder"))
            QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
        else if (words[0] == QLatin1String("compare"))
            QVERIFY(trigger(QStringLiteral("mnuCompare")));
        else if (words[0] == QLatin1String("click"))
            c().lstPhotos_ItemClick(n);
        else if (words[0] == QLatin1String("slot"))
            c().SelectSlot(n);
        else if (words[0] == QLatin1String("tab"))
            c().photoPanes()->tabControl()->setCurrentIndex(n);
        else if (words[0] == QLatin1String("pane"))
            c().FocusSlotTab(n);
        else if (words[0] == QLatin1String("erase"))
            find<QPushButton>(QStringLiteral("cmdAll_0"))->click();
        if (!modes().builderOn)
            continue;
        const PhotoSlots &photoSlots = state().photoSlots;
        const QString shown = assistant()->label(QStringLiteral("lblCurrentPhoto"))->text();
        const int s = photoSlots.builderSlot();
        QVERIFY2(s == photoSlots.CurrentSlot || !photoSlots.SlotHasPhoto(photoSlots.CurrentSlot), qPrintable(step));
        QCOMPARE(shown, photoSlots.states[size_t(s)].label);
        QCOMPARE(c().photoPanes()->pane(s)->lblSelectedPhoto()->text(), shown);
        state().profile.NewProfile();
        assistant()->button(QStringLiteral("cmdSelect0to3"))->click();
        QCOMPARE(state().profile.profile().Source0to3, photoSlots.SlotHasPhoto(s) ? shown : QString());
        if (modes().compareOn) {
            for (int i = 0; i < 2; ++i)
                QCOMPARE(assistant()->label(QStringLiteral("lblPhoto_%1").arg(i))->font().bold(),
                         i == photoSlots.CurrentSlot);
        }
    }
}

// Enter on a query page searches, a focused button is pressed instead; the access keys of the query pane and
// of the Assistant are each their window's own; Ctrl+S and Ctrl+O run the profile commands with their
// questions.
void TestMainWindow::keyboard_enterSearchesAndKeysReachTheProfileCommands()
{
    QComboBox *from = find<QComboBox>(QStringLiteral("cboTotalLoad_0"));
    c().queryPane()->tabQuery()->setCurrentIndex(1);
    from->setEditText(QStringLiteral(" 999"));
    from->setFocus();
    QTRY_VERIFY(from->hasFocus());
    QTest::keyClick(from, Qt::Key_Return);
    QCOMPARE(c().resultsModel()->rowCount(), 0); // nothing that heavy in the sample
    find<QPushButton>(QStringLiteral("cmdAll_1"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(c().resultsModel()->rowCount(), 16);

    // Access keys: no two shown buttons of one window share one.
    QVERIFY(trigger(QStringLiteral("mnuProfileBuilder")));
    for (QWidget *window : {static_cast<QWidget *>(&m_w->frame()), static_cast<QWidget *>(assistant())}) {
        QSet<QString> keys;
        for (QAbstractButton *b : window->findChildren<QAbstractButton *>()) {
            if (b->window() != window || !b->isVisibleTo(window) || b->shortcut().isEmpty())
                continue;
            const QString key = b->shortcut().toString();
            QVERIFY2(!keys.contains(key), qPrintable(key + QStringLiteral(" twice, ") + b->objectName()));
            keys.insert(key);
        }
        if (window == assistant())
            QCOMPARE(keys.size(), 14); // four Add, four Display Photo, five profile buttons and Hide
    }
    QCOMPARE(find<QPushButton>(QStringLiteral("cmdSearch_1"))->shortcut(), QKeySequence(QStringLiteral("Alt+S")));

    ScriptedDialogs &dialogs = m_w->program.dialogs;
    const size_t asked = dialogs.fileRequests.size();
    QTest::keySequence(&m_w->frame(), QKeySequence::Save); // an untitled profile asks for a name
    QTest::keySequence(assistant(), QKeySequence::Open);
    QCOMPARE(dialogs.fileRequests.size(), asked + 2);
    QCOMPARE(dialogs.fileRequests[asked].title, QStringLiteral("Save Profile as ..."));
    QCOMPARE(dialogs.fileRequests[asked + 1].title, QStringLiteral("Load Profile"));
}

// Find Similar Photos: the nearest photos of the database in rank order, as a query's result (Erase shows the
// first), with their distance in a Match column that sorts back to the rank and that a new query takes away.
void TestMainWindow::match_similarPhotosListedAsAQueryResult()
{
    const PhotoRecord query = *state().photoSlots.states[0].photo;
    QVERIFY(trigger(QStringLiteral("mnuFindSimilar")));
    const PhotoSetPtr all = state().library.allPhotos();
    const PhotoMatch::Ranking expected =
        PhotoMatch::rank(*all, PhotoMatch::valuesOf(query), PhotoMatch::spreadOf(*all), query.id);
    ResultsModel *results = c().resultsModel();
    QVERIFY(results->showsRanking());
    QCOMPARE(results->columnCount(), int(ResultsModel::ColumnCount) + 1);
    QCOMPARE(results->headerData(ResultsModel::Match, Qt::Horizontal).toString(), QStringLiteral("Match"));
    QCOMPARE(results->rowCount(), int(expected.photos.size()));
    const auto rankOrder = [results] {
        QStringList labels;
        for (int row = 0; row < results->rowCount(); ++row)
            labels << results->photoAt(row)->label();
        return labels;
    };
    QStringList ranked;
    for (const PhotoMatch::Ranked &r : expected.photos)
        ranked << (*all)[size_t(r.index)].label();
    QCOMPARE(rankOrder(), ranked);
    for (int row = 0; row < results->rowCount(); ++row)
        QCOMPARE(results->index(row, ResultsModel::Match).data().toString(),
                 NumberFormat::picture(expected.photos[size_t(row)].distance, u"##0.000"));
    QVERIFY(!ranked.contains(query.label()));
    QCOMPARE(state().photoSlots.states[0].label, ranked.first()); // Erase showed the first, as after Search
    QString message = QString::number(ranked.size()) + QStringLiteral(" photos most like ") + query.label();
    if (expected.leftOut)
        message +=
            QStringLiteral("; ") + QString::number(expected.leftOut) + QStringLiteral(" left out for lack of a value");
    QCOMPARE(state().status.message(), message);
    results->columnClicked(ResultsModel::Total);
    QVERIFY(rankOrder() != ranked || ranked.size() < 2);
    results->sort(ResultsModel::Match, Qt::AscendingOrder);
    QCOMPARE(rankOrder(), ranked);
    find<QPushButton>(QStringLiteral("cmdAll_0"))->click();
    QVERIFY(!results->showsRanking());
    QCOMPARE(results->columnCount(), int(ResultsModel::ColumnCount));
}

// Match Values...: the form starts from the photo on show in the units shown; the same stand typed in tons per
// acre and in megagrams per hectare gives one ranking.
void TestMainWindow::match_typedValuesRankTheSameInEitherUnit()
{
    QStringList rankings[2];
    for (int metric = 0; metric < 2; ++metric) {
        if (metric)
            QVERIFY(trigger(QStringLiteral("mnuMetric")));
        c().SelectResult(1);
        QVERIFY(trigger(QStringLiteral("mnuMatchValues")));
        auto *form = QApplication::activeModalWidget();
        QTRY_VERIFY((form = QApplication::activeModalWidget()) != nullptr);
        QCOMPARE(form->objectName(), QStringLiteral("frmMatchValues"));
        // Only the fine fuels and the fuel bed, as measured on the stand.
        form->findChild<QCheckBox *>(QStringLiteral("chkMatchCoarse"))->setChecked(false);
        form->findChild<QCheckBox *>(QStringLiteral("chkMatchDuff"))->setChecked(false);
        const double fine = metric ? 5 * UnitConversion::kMegagramsPerHectarePerTonPerAcre : 5;
        const double bed = metric ? 3 * UnitConversion::kCentimetresPerInch : 3;
        form->findChild<QLineEdit *>(QStringLiteral("txtMatchFine"))->setText(QString::number(fine, 'f', 6));
        form->findChild<QLineEdit *>(QStringLiteral("txtMatchBed"))->setText(QString::number(bed, 'f', 6));
        form->findChild<QPushButton *>(QStringLiteral("cmdMatchFind"))->click();
        QVERIFY(c().resultsModel()->showsRanking());
        for (int row = 0; row < c().resultsModel()->rowCount(); ++row)
            rankings[metric] << c().resultsModel()->photoAt(row)->label();
        QVERIFY(state().status.message().contains(QStringLiteral("most like the values given")));
    }
    QVERIFY(!rankings[0].isEmpty());
    QCOMPARE(rankings[1], rankings[0]);
}

// Summary of Listed Photos...: the rows the list shows (after the filter), in the units shown, follow the list while
// the window is open, and Copy gives the table as text with a screen reader reading each cell.
void TestMainWindow::summary_followsTheListedPhotos()
{
    const auto expected = [this](int measure) {
        std::vector<const PhotoRecord *> listed;
        for (int row = 0; row < c().resultsModel()->rowCount(); ++row)
            listed.push_back(c().resultsModel()->photoAt(row));
        return PhotoSummary::summarize(listed, c().resultsModel()->units())[size_t(measure)];
    };
    QVERIFY(trigger(QStringLiteral("mnuSummary")));
    auto *window = find<frmSummary>(QStringLiteral("frmSummary"));
    QVERIFY(window && window->isVisible());
    auto *grid = window->findChild<QTableWidget *>(QStringLiteral("grdSummary"));
    for (const bool metric : {false, true}) {
        if (metric)
            QVERIFY(trigger(QStringLiteral("mnuMetric")));
        for (const QString &filter : {QString(), QStringLiteral("PNW")}) {
            find<QLineEdit>(QStringLiteral("txtFilter"))->setText(filter);
            const int rows = c().resultsModel()->rowCount();
            QVERIFY(rows > 0);
            QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lblSummaryCount"))->text(),
                     QStringLiteral("%1 photos listed").arg(rows));
            for (int m = 0; m < PhotoSummary::MeasureCount; ++m) {
                const PhotoSummary::Row row = expected(m);
                QCOMPARE(grid->verticalHeaderItem(m)->text(),
                         PhotoSummary::name(PhotoSummary::Measure(m), c().resultsModel()->units()));
                QCOMPARE(grid->item(m, 0)->text(), QString::number(row.count));
                QCOMPARE(grid->item(m, 2)->text(),
                         NumberFormat::picture(row.median, PhotoSummary::picture(PhotoSummary::Measure(m))));
            }
        }
    }
    const QStringList lines = window->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + int(PhotoSummary::MeasureCount));
    QCOMPARE(lines.first(), QStringLiteral("Measure\tCount\tMin\tMedian\tMean\tMax"));
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid);
    QVERIFY(table && table->tableInterface());
    QAccessibleInterface *cell = table->tableInterface()->cellAt(0, 3);
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), grid->item(0, 3)->text());
    window->close();
}

namespace
{
// A JPEG stored landscape whose orientation tag (6) says it is shown turned a quarter clockwise, as a camera held
// upright writes it.
QByteArray uprightCameraJpeg(const QImage &stored)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    stored.save(&buffer, "JPG", 90);
    // APP1 "Exif": a big-endian TIFF header and one entry, Orientation (0x0112) SHORT 1 = 6.
    const QByteArray payload =
        QByteArray("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0", 32);
    const int length = int(payload.size()) + 2;
    const QByteArray segment = QByteArray("\xff\xe1", 2) + char(length >> 8) + char(length & 0xff) + payload;
    return jpeg.insert(2, segment);
}
} // namespace

void TestMainWindow::fieldPhoto_opensBesideTheSeriesOrChangesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("refused"); // the reason told; empty: the photo opens
    QTest::newRow("JPEG turned by its orientation tag") << "exif"
                                                        << "";
    QTest::newRow("PNG") << "png"
                         << "";
    QTest::newRow("TIFF") << "tiff"
                          << "";
    QTest::newRow("36 megapixels, decoded at the pane's size") << "huge"
                                                               << "";
    QTest::newRow("damaged JPEG") << "damaged"
                                  << "the picture is damaged";
    QTest::newRow("no picture") << "text"
                                << "no picture in a format the program reads";
    QTest::newRow("FIFO") << "fifo"
                          << "it is no file";
}

// Open Field Photo...: the user's own picture goes into the left pane in compare mode, labelled by its file name,
// and the list's photos go into the right pane; a file that cannot be shown is told and nothing changes.
void TestMainWindow::fieldPhoto_opensBesideTheSeriesOrChangesNothing()
{
    QFETCH(QString, kind);
    QFETCH(QString, refused);
    const QString path = m_dir->filePath(QStringLiteral("stand.") + (kind == "png"    ? "png"
                                                                     : kind == "tiff" ? "tif"
                                                                                      : "jpg"));
    const QImage landscape = TestSupport::drawLargePhoto(7, QSize(640, 400));
    if (kind == "exif") {
        QVERIFY(TestSupport::writeBytes(path, uprightCameraJpeg(landscape)));
    } else if (kind == "png" || kind == "tiff") {
        QVERIFY(landscape.save(path, kind == "png" ? "PNG" : "TIFF"));
    } else if (kind == "huge") {
        QVERIFY(TestSupport::drawLargePhoto(3, QSize(7360, 4912)).save(path, "JPG", 85));
    } else if (kind == "damaged") {
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        landscape.save(&buffer, "JPG");
        QVERIFY(TestSupport::writeBytes(path, jpeg.left(600)));
    } else if (kind == "text") {
        QVERIFY(TestSupport::writeBytes(path, "Stand 14, north slope\n"));
    } else {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    const QString shownBefore = state().photoSlots.states[0].label;
    m_w->program.dialogs.fileNames.push_back(path);
    QVERIFY(trigger(QStringLiteral("mnuOpenFieldPhoto")));

    const PhotoSlotState &left = state().photoSlots.states[0];
    auto *picture = find<PictureBox>(QStringLiteral("picPreviewPhoto_0"));
    if (!refused.isEmpty()) {
        QCOMPARE(m_w->program.dialogs.messages.size(), size_t(1));
        QVERIFY2(m_w->program.dialogs.messages[0].text.startsWith("Can't open the field photo " +
                                                                  QFileInfo(path).fileName() + ": "),
                 qPrintable(m_w->program.dialogs.messages[0].text));
        QVERIFY2(m_w->program.dialogs.messages[0].text.contains(refused),
                 qPrintable(m_w->program.dialogs.messages[0].text));
        QVERIFY(!state().modes.state().compareOn);
        QVERIFY(!left.isFieldPhoto());
        QCOMPARE(left.label, shownBefore);
        QVERIFY(!c().commands().mnuCloseFieldPhoto->isEnabled());
        return;
    }
    QVERIFY(m_w->program.dialogs.messages.empty());
    QVERIFY(state().modes.state().compareOn);
    QVERIFY(left.isFieldPhoto());
    QCOMPARE(left.label, QFileInfo(path).fileName());
    QCOMPARE(find<QLabel>(QStringLiteral("lblSelectedPhoto_0"))->text(), QFileInfo(path).fileName());
    QCOMPARE(state().photoSlots.CurrentSlot, 1);
    QVERIFY(c().commands().mnuCloseFieldPhoto->isEnabled());
    const QImage shown = picture->image();
    QVERIFY(!shown.isNull());
    if (kind == "exif")
        QVERIFY2(shown.height() > shown.width(), "the orientation tag turned the picture upright");
    else
        QVERIFY(shown.width() > shown.height());
    if (kind == "huge")
        QVERIFY(shown.width() <= qMax(picture->decodeSize().width(), 822) && shown.width() < 7360 / 4);
    // The next photo of the list goes to the right pane; the field photo stays.
    c().lstPhotos_ItemClick(2);
    QCOMPARE(state().photoSlots.states[1].label, label(2));
    QVERIFY(state().photoSlots.states[0].isFieldPhoto());
}

// The typed values are what the Assistant sets against the series photo, what Find Similar ranks against, what
// the comparison report prints, and never what "Add >" takes; Close Field Photo gives the slot back, and the
// photo database is never written.
void TestMainWindow::fieldPhoto_typedValuesAreComparedMatchedPrintedAndGivenBack()
{
    const QString database = state().programFolder + QStringLiteral("/Photo.mdb");
    const auto digest = [&database] {
        QFile file(database);
        return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                              : QByteArray();
    };
    const QByteArray before = digest();
    QVERIFY(!before.isEmpty());
    const QString path = m_dir->filePath(QStringLiteral("stand 14.png"));
    QVERIFY(TestSupport::drawLargePhoto(2, QSize(600, 400)).save(path, "PNG"));
    m_w->program.dialogs.fileNames.push_back(path);
    QVERIFY(trigger(QStringLiteral("mnuOpenFieldPhoto")));
    auto *values = m_w->frame().findChild<frmFieldPhoto *>(QStringLiteral("frmFieldPhoto"));
    QVERIFY(values && values->isVisible());
    QTest::keyClicks(values->findChild<QLineEdit *>(QStringLiteral("txtFieldFine")), QStringLiteral("5"));
    QTest::keyClicks(values->findChild<QLineEdit *>(QStringLiteral("txtFieldBed")), QStringLiteral("3"));
    values->close(); // the photo and its values stay; a click on the photo brings the window back
    QVERIFY(state().photoSlots.states[0].isFieldPhoto());
    QTest::mouseClick(find<QLabel>(QStringLiteral("lblSelectedPhoto_0")), Qt::LeftButton);
    QVERIFY(values->isVisible());
    c().lstPhotos_ItemClick(2);

    const AssistantSummary summary = state().photoSlots.summary();
    QCOMPARE(summary.lblPhoto[0], QStringLiteral("stand 14.png"));
    QCOMPARE(summary.lbl0to3.value[0].text, QStringLiteral("5.0"));
    QCOMPARE(summary.lblFuelBed.value[0].text, QStringLiteral("3.0"));
    QCOMPARE(summary.lblDuff.value[0].text, QStringLiteral("no data"));
    QCOMPARE(state().photoSlots.builderSlot(), 1);
    state().photoSlots.CurrentSlot = 0;
    QCOMPARE(state().photoSlots.builderSlot(), 1); // never the field photo, even when it is current

    // In metric units the boxes show the values converted; one edited there leaves the others exact.
    QVERIFY(trigger(QStringLiteral("mnuMetric")));
    auto *duff = values->findChild<QLineEdit *>(QStringLiteral("txtFieldDuff"));
    QTest::keyClicks(duff, QStringLiteral("2.54"));
    QVERIFY(trigger(QStringLiteral("mnuMetric")));
    const FieldPhoto::Values typed = FieldPhoto::valuesOf(*state().photoSlots.states[0].photo);
    QCOMPARE(typed.fine, OptionalNumber(5));
    QCOMPARE(typed.bed, OptionalNumber(3));
    QVERIFY(typed.duff && qAbs(*typed.duff - 1) < 1e-12);

    QVERIFY(trigger(QStringLiteral("mnuPrintComparsion")));
    QCOMPARE(m_reports.calls.last(), QStringLiteral("compare stand 14.png ") + state().photoSlots.states[1].label);
    const ReportInputs inputs(state().photoDirectory, state().programFolder, nullptr);
    const auto columns = inputs.comparison(state().photoSlots.states[0], state().photoSlots.states[1]);
    QVERIFY(columns[0].picture && !columns[0].picture->isNull());
    QCOMPARE(columns[0].sheet.cell(columns[0].sheet.rows - 3, 1), QStringLiteral("5.00"));
    QCOMPARE(columns[0].sheet.cell(5, 1), QString()); // the fine classes are not known apart

    c().SelectSlot(0);
    QVERIFY(trigger(QStringLiteral("mnuFindSimilar")));
    const PhotoSetPtr all = state().library.allPhotos();
    const PhotoMatch::Ranking expected =
        PhotoMatch::rank(*all, {5.0, std::nullopt, 1.0, 3.0}, PhotoMatch::spreadOf(*all));
    QCOMPARE(c().resultsModel()->rowCount(), qMin(20, int(expected.photos.size())));
    QCOMPARE(c().resultsModel()->photoAt(0)->id, (*all)[size_t(expected.photos[0].index)].id);
    QVERIFY2(state().status.message().contains(QStringLiteral(" photos most like stand 14.png")),
             qPrintable(state().status.message()));
    QVERIFY(state().photoSlots.states[0].isFieldPhoto()); // the query's Erase step left it

    QVERIFY(trigger(QStringLiteral("mnuCloseFieldPhoto")));
    QVERIFY(!state().photoSlots.states[0].isFieldPhoto());
    QVERIFY(!state().photoSlots.SlotHasPhoto(0));
    QVERIFY(!values->isVisible());
    QCOMPARE(state().photoSlots.CurrentSlot, 0);
    c().lstPhotos_ItemClick(3);
    QCOMPARE(state().photoSlots.states[0].label, label(3));
    QCOMPARE(digest(), before);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The real query pane in the main window, driven by object names: lists, pickers, range typing and searches.
#include "data/resultsmodel.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/frmfenwyx.h"
#include "mainwindow/ui/maincommands.h"
#include "mainwindow/ui/maincontroller.h"
#include "mainwindow/ui/picker.h"
#include "mainwindow/ui/querypane.h"
#include "platform/ui/twips.h"
#include "querylibrary.h"
#include "shell/ui/mdimain.h"
#include "testprogram.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace
{

// The library with a vegetation code file; the other code files are missing.
bool writeLibrary(const QString &folder, const QStringList &photoRows, const QStringList &bookRows)
{
    return QueryLibrary::write(folder, photoRows, bookRows) &&
           QueryLibrary::writeFile(folder, QStringLiteral("VegCodes.txt"),
                                   "AB,Aspen stand\r\nPP,\"Ponderosa pine, mature\"\r\n");
}

const QStringList kPhotos{
    "1, 'B,12', 1, 1, 2, 'AB', 'X', '1', 'T'",   "2, 'B,12', 2, 3, 5, 'pp', 'Y', NULL, 'T'",
    "3, 'C7', 4, 4, 8, 'PP', 'X', '1', NULL",    "4, 'C7', 1, 1, 2, NULL, 'Z', '2', 'U'",
    "5, 'C7', 9, 9, 18, 'A-1', 'X', '13', NULL",
};
const QStringList kBooks{"10, 'B,12', 'Book with a comma'", "11, 'C7', 'Plain book'"};

// The frame and its main window over a program folder, shown offscreen.
struct Run {
    explicit Run(const QString &folder) : w(folder) {}
    template <typename T> T *find(const QString &name) const { return w.frame().findChild<T *>(name); }
    QString count() const { return state.status.count(); }
    int rows() const { return w.controller().resultsModel()->rowCount(); }
    frmFenwyx *window() const { return w.controller().window(); }

    TestWindow w;
    ProgramState &state = w.state();
};

} // namespace

class TestQueryPane : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void load_fillsListsAndPickerLabels();
    void load_again_clearsChoicesAndLabels();
    void load_noModels_disablesPickerAndSearchDoesNothing();
    void picker_liveCountThenClosedText_data();
    void picker_liveCountThenClosedText();
    void picker_clickOutside_closesList();
    void picker_modelListsKeepTheirWidth();
    void keyPress_anywhereInWindow_clearsStatusAndShrinksVegetationList();
    void picker_keyboard_opensChoosesAndCloses_data();
    void picker_keyboard_opensChoosesAndCloses();
    void rangeList_digitsOnly_data();
    void rangeList_digitsOnly();
    void rangeList_typedTextStaysAndListOpens();
    void rangeList_lettersSet_reportsProblemAndKeepsList();
    void search_eachPage_data();
    void search_eachPage();
    void vegetation_choiceServesBothLoadingPages();
    void erase_tickedAtStart_showsFirstResult();
    void erase_compareLayout_fillsLeftThenSelectsRight();
    void closeButton_closesPaneAndOpenPicker();
    void noDatabase_failedQueryReportsZero();

private:
    QTemporaryDir *m_dir = nullptr;
    Run *m_run = nullptr;
};

void TestQueryPane::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(writeLibrary(m_dir->path(), kPhotos, kBooks));
    m_run = new Run(m_dir->path());
    QVERIFY(QTest::qWaitForWindowExposed(&m_run->w.frame()));
}

void TestQueryPane::cleanup()
{
    delete m_run;
    m_run = nullptr;
    delete m_dir;
    m_dir = nullptr;
}

void TestQueryPane::load_fillsListsAndPickerLabels()
{
    Run &r = *m_run;
    auto *book = r.find<QComboBox>("cboBook");
    QCOMPARE(book->count(), 3);
    QCOMPARE(book->currentText(), QStringLiteral("All Books"));
    QCOMPARE(book->itemText(1), QStringLiteral("B,12, Book with a comma"));
    QCOMPARE(r.find<QComboBox>("cboTotalLoad_0")->currentText(), QStringLiteral("0"));
    QCOMPARE(r.find<QComboBox>("cboTotalLoad_1")->currentText(), QStringLiteral(" 22"));
    QCOMPARE(r.find<QComboBox>("cbo3Plus_1")->currentText(), QStringLiteral(" 12"));
    QCOMPARE(r.find<QLabel>("lblVegType")->text(), QStringLiteral("All Vegetation  Types"));
    QCOMPARE(r.find<QLabel>("lblActType")->text(), QStringLiteral("All Activities"));
    QCOMPARE(r.find<QLabel>("lblDangerRating")->text(), QStringLiteral("All Danger Rating Models"));
    QCOMPARE(r.find<QLabel>("lblFireBehave")->text(), QStringLiteral("All Fire Behavior Models"));
    auto *veg = r.find<QListWidget>("lstVegType");
    QStringList texts;
    for (int i = 0; i < veg->count(); ++i)
        texts << veg->item(i)->text();
    QCOMPARE(texts, (QStringList{"A-1- ", "AB-Aspen stand", "PP-Ponderosa pine, mature"}));
    for (int i = 0; i < 4; ++i)
        QVERIFY(r.find<QCheckBox>(QStringLiteral("chkErase_%1").arg(i))->isChecked());
    auto *tab = r.find<QTabWidget>("tabQuery");
    QCOMPARE(tab->tabText(1), QStringLiteral(" Query by Total Loading"));
    QCOMPARE(tab->tabText(2), QStringLiteral("Query by 0\"-2.9\" and 3\"+ Loading"));
    // The close buttons' indexes follow the pages 0, 3, 2, 1.
    QVERIFY(tab->widget(1)->findChild<QToolButton *>("cmdCloseQuery_3"));
    QVERIFY(tab->widget(3)->findChild<QToolButton *>("cmdCloseQuery_1"));
}

void TestQueryPane::load_again_clearsChoicesAndLabels()
{
    Run &r = *m_run;
    r.find<QToolButton>("cmdVegType")->click();
    r.find<QListWidget>("lstVegType")->item(0)->setCheckState(Qt::Checked);
    r.find<QToolButton>("cmdVegType")->click();
    QCOMPARE(r.find<QLabel>("lblVegType")->text(), QStringLiteral("1 Veg Types Selected"));
    r.find<QListWidget>("lstDangerRating")->item(0)->setSelected(true);
    r.w.controller().LoadQueryParameters();
    QCOMPARE(r.find<QLabel>("lblVegType")->text(), QStringLiteral("All Vegetation  Types"));
    QCOMPARE(r.find<QLabel>("lblDangerRating")->text(), QStringLiteral("All Danger Rating Models"));
    QCOMPARE(r.find<QueryPane>("QueryPane")->criteria().vegTypes, QStringList());
    QCOMPARE(r.find<QueryPane>("QueryPane")->criteria().dangerRatings, QStringList());
}

void TestQueryPane::load_noModels_disablesPickerAndSearchDoesNothing()
{
    QTemporaryDir dir;
    QVERIFY(writeLibrary(dir.path(), {"1, 'C7', 1, 1, 2, 'AB', 'X', '1', NULL"}, kBooks));
    Run r(dir.path());
    QCOMPARE(r.find<QLabel>("lblDangerRating")->text(), QStringLiteral("No Models Available"));
    QVERIFY(!r.find<QToolButton>("cmdDangerRating")->isEnabled());
    QVERIFY(r.find<QToolButton>("cmdFireBehave")->isEnabled());
    r.find<QListWidget>("lstFireBehave")->item(0)->setSelected(true);
    const PhotoSetPtr before = r.state.library.currentPhotoSet();
    r.state.status.ShowStatus(StatusInfo, QStringLiteral("untouched"));
    r.find<QCheckBox>("chkErase_3")->setChecked(false);
    r.find<QPushButton>("cmdSearch_3")->click();
    QCOMPARE(r.state.library.currentPhotoSet(), before);
    QCOMPARE(r.state.status.message(), QStringLiteral("untouched"));
}

void TestQueryPane::picker_liveCountThenClosedText_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("live");
    QTest::addColumn<QString>("closed");
    QTest::newRow("vegetation, two") << 1 << "VegType" << 2 << "2 Veg Types Selected"
                                     << "2 Veg Types Selected";
    QTest::newRow("vegetation, none") << 1 << "VegType" << 0 << ""
                                      << "All Vegetation Types";
    QTest::newRow("activity, one") << 2 << "ActType" << 1 << "1 Activities Selected"
                                   << "1 Act Types Selected";
    QTest::newRow("activity, none") << 2 << "ActType" << 0 << ""
                                    << "All Activities";
    QTest::newRow("danger rating, two") << 3 << "DangerRating" << 2 << "2 Models Selected"
                                        << "2 Models Selected";
    QTest::newRow("fire behaviour, none") << 3 << "FireBehave" << 0 << ""
                                          << "All Fire Behavior Models";
    QTest::newRow("fire behaviour, one") << 3 << "FireBehave" << 1 << "1 Models Selected"
                                         << "1 Models Selected";
}

void TestQueryPane::picker_liveCountThenClosedText()
{
    QFETCH(int, page);
    QFETCH(QString, name);
    QFETCH(int, chosen);
    QFETCH(QString, live);
    QFETCH(QString, closed);
    Run &r = *m_run;
    r.find<QTabWidget>("tabQuery")->setCurrentIndex(page);
    auto *button = r.find<QToolButton>("cmd" + name);
    auto *list = r.find<QListWidget>("lst" + name);
    auto *label = r.find<QLabel>("lbl" + name);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(list->isVisible());
    QCOMPARE(list->parentWidget(), r.window());
    for (int i = 0; i < chosen; ++i) {
        if (list->selectionMode() == QAbstractItemView::NoSelection)
            list->item(i)->setCheckState(Qt::Checked);
        else
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(i)).center());
        QCOMPARE(label->text(), QString::number(i + 1) + live.mid(1));
    }
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!list->isVisible());
    QCOMPARE(label->text(), closed);
}

void TestQueryPane::picker_clickOutside_closesList()
{
    Run &r = *m_run;
    r.find<QTabWidget>("tabQuery")->setCurrentIndex(1);
    QTest::mouseClick(r.find<QToolButton>("cmdActType"), Qt::LeftButton);
    auto *list = r.find<QListWidget>("lstActType");
    QVERIFY(list->isVisible());
    list->item(1)->setCheckState(Qt::Checked);
    // A click inside the list keeps it open.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(list->isVisible());
    QTest::mouseClick(r.find<QComboBox>("cboTotalLoad_0"), Qt::LeftButton);
    QVERIFY(!list->isVisible());
    QCOMPARE(r.find<QLabel>("lblActType")->text(), QStringLiteral("1 Act Types Selected"));
}

void TestQueryPane::picker_modelListsKeepTheirWidth()
{
    Run &r = *m_run;
    r.find<QTabWidget>("tabQuery")->setCurrentIndex(3);
    auto *list = r.find<QListWidget>("lstFireBehave");
    auto *button = r.find<QToolButton>("cmdFireBehave");
    const int width = list->width();
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(list->width(), width);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QCOMPARE(r.find<QListWidget>("lstDangerRating")->width(), width);
    const QFontMetrics metrics(list->font());
    for (int i = 0; i < list->count(); ++i)
        QVERIFY(metrics.horizontalAdvance(list->item(i)->text()) < width);
}

void TestQueryPane::keyPress_anywhereInWindow_clearsStatusAndShrinksVegetationList()
{
    Run &r = *m_run;
    r.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&r.w.frame()));
    r.find<QTabWidget>("tabQuery")->setCurrentIndex(1);

    // A key taken by a child (a digit typed into a range list) still clears the status line.
    r.state.status.ShowStatus(StatusInfo, QStringLiteral("shown"));
    auto *range = r.find<QComboBox>("cboTotalLoad_0");
    range->setFocus();
    QTest::keyClick(range->lineEdit(), Qt::Key_7);
    QCOMPARE(r.state.status.message(), QString());

    // Keys that work the open vegetation list leave it at its open height.
    auto *button = r.find<QToolButton>("cmdVegType");
    auto *list = r.find<QListWidget>("lstVegType");
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY(list->hasFocus());
    const int open = list->height();
    r.state.status.ShowStatus(StatusInfo, QStringLiteral("shown"));
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->height(), open);
    QCOMPARE(r.state.status.message(), QString());

    // A key elsewhere in the window shrinks it without hiding it.
    button->setFocus();
    QVERIFY(list->isVisible());
    QTest::keyClick(button, Qt::Key_A);
    QVERIFY(list->isVisible());
    QCOMPARE(list->height(), twips(list, 300));

    // Keys in another window are not the main window's.
    QLineEdit other;
    r.state.status.ShowStatus(StatusInfo, QStringLiteral("shown"));
    QTest::keyClick(&other, Qt::Key_A);
    QCOMPARE(r.state.status.message(), QStringLiteral("shown"));
}

void TestQueryPane::picker_keyboard_opensChoosesAndCloses_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("closeKey");
    QTest::addColumn<QString>("live");
    QTest::addColumn<QString>("closed");
    QTest::newRow("vegetation, Esc") << 1 << "VegType" << int(Qt::Key_Escape) << "2 Veg Types Selected"
                                     << "2 Veg Types Selected";
    QTest::newRow("activity, Return") << 2 << "ActType" << int(Qt::Key_Return) << "2 Activities Selected"
                                      << "2 Act Types Selected";
    QTest::newRow("fire behaviour, Enter") << 3 << "FireBehave" << int(Qt::Key_Enter) << "2 Models Selected"
                                           << "2 Models Selected";
}

void TestQueryPane::picker_keyboard_opensChoosesAndCloses()
{
    QFETCH(int, page);
    QFETCH(QString, name);
    QFETCH(int, closeKey);
    QFETCH(QString, live);
    QFETCH(QString, closed);
    Run &r = *m_run;
    r.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&r.w.frame()));
    r.find<QTabWidget>("tabQuery")->setCurrentIndex(page);
    auto *button = r.find<QToolButton>("cmd" + name);
    auto *list = r.find<QListWidget>("lst" + name);
    auto *label = r.find<QLabel>("lbl" + name);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QVERIFY(list->isVisible());
    QTRY_VERIFY(list->hasFocus());
    // Space chooses the current entry, the arrows move through the list.
    QTest::keyClick(list, Qt::Key_Space);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(label->text(), live);
    QCOMPARE(r.find<QueryPane>("QueryPane")->picker(page == 3 ? 3 : page - 1)->chosenCount(), 2);
    QTest::keyClick(list, Qt::Key(closeKey));
    QVERIFY(!list->isVisible());
    QCOMPARE(label->text(), closed);
    QVERIFY(button->hasFocus());
    // And opens again from its button.
    QTest::keyClick(button, Qt::Key_Space);
    QVERIFY(list->isVisible());
}

void TestQueryPane::rangeList_digitsOnly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("point dropped") << "1.5"
                                   << "15";
    QTest::newRow("minus and letters dropped") << "-2ab0"
                                               << "20";
    QTest::newRow("backspace passes") << "12\b3"
                                      << "13";
}

void TestQueryPane::rangeList_digitsOnly()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Run &r = *m_run;
    r.find<QTabWidget>("tabQuery")->setCurrentIndex(1);
    auto *combo = r.find<QComboBox>("cboTotalLoad_1");
    combo->lineEdit()->clear();
    combo->setFocus();
    for (const QChar c : typed) {
        if (c == u'\b')
            QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
        else
            QTest::keyClicks(combo->lineEdit(), QString(c));
    }
    QCOMPARE(combo->currentText(), shown);
    // Pasting letters is refused as a whole.
    combo->lineEdit()->insert(QStringLiteral("4x"));
    QCOMPARE(combo->currentText(), shown);
}

void TestQueryPane::rangeList_typedTextStaysAndListOpens()
{
    Run &r = *m_run;
    r.find<QTabWidget>("tabQuery")->setCurrentIndex(1);
    auto *combo = r.find<QComboBox>("cboTotalLoad_0");
    QVERIFY(combo->isEditable());
    QVERIFY(!combo->completer());
    combo->lineEdit()->clear();
    combo->setFocus();
    // What is typed is kept as typed, never completed to an entry that begins alike.
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("1"));
    QCOMPARE(combo->currentText(), QStringLiteral("1"));
    // The list drops down with every entry and an entry chosen from it replaces the text.
    combo->showPopup();
    QTRY_VERIFY(combo->view()->isVisible());
    QCOMPARE(combo->view()->model()->rowCount(), combo->count());
    QVERIFY(combo->count() > 1);
    combo->view()->setCurrentIndex(combo->model()->index(1, 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QTRY_VERIFY(!combo->view()->isVisible());
    QCOMPARE(combo->currentText(), combo->itemText(1));
}

void TestQueryPane::rangeList_lettersSet_reportsProblemAndKeepsList()
{
    Run &r = *m_run;
    r.find<QComboBox>("cboTotalLoad_1")->setEditText(QStringLiteral("4"));
    r.find<QPushButton>("cmdSearch_1")->click();
    QCOMPARE(r.rows(), 2);
    r.find<QComboBox>("cboTotalLoad_1")->setEditText(QStringLiteral("4x"));
    r.find<QPushButton>("cmdSearch_1")->click();
    QCOMPARE(r.state.status.message(), QStringLiteral("ERROR - Query problem: '4x' is not a number"));
    QCOMPARE(r.count(), QStringLiteral("2 photos found"));
    QCOMPARE(r.rows(), 2);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestQueryPane::search_eachPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("rows");
    QTest::newRow("book with a comma in its label") << 0 << 2;
    QTest::newRow("total, from above to") << 1 << 0;
    QTest::newRow("size ranges") << 2 << 4;
    QTest::newRow("fuel models") << 3 << 1;
}

void TestQueryPane::search_eachPage()
{
    QFETCH(int, page);
    QFETCH(int, rows);
    Run &r = *m_run;
    r.find<QTabWidget>("tabQuery")->setCurrentIndex(page);
    r.find<QComboBox>("cboBook")->setCurrentIndex(1);
    r.find<QComboBox>("cboTotalLoad_0")->setCurrentText(QStringLiteral(" 10"));
    r.find<QComboBox>("cboTotalLoad_1")->setCurrentText(QStringLiteral(" 4"));
    r.find<QComboBox>("cbo0to3_1")->setCurrentText(QStringLiteral(" 4"));
    r.find<QListWidget>("lstDangerRating")->item(0)->setSelected(true); // T
    r.find<QListWidget>("lstFireBehave")->item(0)->setSelected(true);   // 1
    QTest::mouseClick(r.find<QPushButton>(QStringLiteral("cmdSearch_%1").arg(page)), Qt::LeftButton);
    QCOMPARE(r.rows(), rows);
    QCOMPARE(r.count(), QString::number(rows) + QStringLiteral(" photos found"));
    QCOMPARE(r.state.status.message(), QString());
    QVERIFY(!QGuiApplication::overrideCursor());
    QTest::mouseClick(r.find<QPushButton>(QStringLiteral("cmdAll_%1").arg(page)), Qt::LeftButton);
    QCOMPARE(r.rows(), 5);
}

void TestQueryPane::vegetation_choiceServesBothLoadingPages()
{
    Run &r = *m_run;
    auto *tab = r.find<QTabWidget>("tabQuery");
    auto *frame = r.find<QWidget>("freVegAct");
    tab->setCurrentIndex(1);
    QVERIFY(tab->widget(1)->isAncestorOf(frame));
    r.find<QListWidget>("lstVegType")->item(2)->setCheckState(Qt::Checked); // PP, also held as "pp"
    tab->setCurrentIndex(2);
    QVERIFY(tab->widget(2)->isAncestorOf(frame));
    QVERIFY(frame->isVisible());
    r.find<QPushButton>("cmdSearch_2")->click();
    QCOMPARE(r.rows(), 2);
    tab->setCurrentIndex(3);
    QVERIFY(tab->widget(2)->isAncestorOf(frame));
    r.find<QPushButton>("cmdSearch_1")->click();
    QCOMPARE(r.rows(), 2);
}

void TestQueryPane::erase_tickedAtStart_showsFirstResult()
{
    Run &r = *m_run;
    MainController &c = r.w.controller();
    c.SelectResult(3);
    r.find<QPushButton>("cmdAll_2")->click();
    QCOMPARE(r.state.photoSlots.states[0].label, c.resultsModel()->photoAt(0)->label());
    c.SelectResult(3);
    r.find<QCheckBox>("chkErase_2")->setChecked(false);
    r.find<QPushButton>("cmdAll_2")->click();
    QCOMPARE(r.state.photoSlots.states[0].label, c.resultsModel()->photoAt(2)->label());
}

void TestQueryPane::erase_compareLayout_fillsLeftThenSelectsRight()
{
    Run &r = *m_run;
    MainController &c = r.w.controller();
    QVERIFY(TestSupport::triggerAction(&r.w.frame(), QStringLiteral("mnuCompare")));
    c.SelectResult(2); // the right pane
    QVERIFY(r.state.photoSlots.SlotHasPhoto(1));
    r.find<QPushButton>("cmdSearch_0")->click();
    // The left pane shows the first result, the right one is empty and current again.
    QCOMPARE(r.state.photoSlots.states[0].label, c.resultsModel()->photoAt(0)->label());
    QVERIFY(!r.state.photoSlots.SlotHasPhoto(1));
    QCOMPARE(r.state.photoSlots.CurrentSlot, 1);
    QCOMPARE(r.state.photoSlots.CompareLayout, 1);
}

void TestQueryPane::closeButton_closesPaneAndOpenPicker()
{
    Run &r = *m_run;
    r.find<QTabWidget>("tabQuery")->setCurrentIndex(1);
    r.find<QToolButton>("cmdVegType")->click();
    auto *list = r.find<QListWidget>("lstVegType");
    QVERIFY(list->isVisible());
    r.find<QToolButton>("cmdCloseQuery_3")->click();
    QVERIFY(!list->isVisible());
    QCOMPARE(r.find<QLabel>("lblVegType")->text(), QStringLiteral("All Vegetation Types"));
    QVERIFY(r.window()->queryRegion()->isHidden());
    QVERIFY(!r.window()->commands().mnuQuery->isChecked());
    QVERIFY(!r.find<QToolButton>("barMain_Query")->isChecked());

    // Reopened from the toolbar and closed from the menu: the open list goes with the pane.
    r.find<QToolButton>("barMain_Query")->click();
    QVERIFY(!r.window()->queryRegion()->isHidden());
    r.find<QToolButton>("cmdActType")->click();
    QVERIFY(r.find<QListWidget>("lstActType")->isVisible());
    QVERIFY(TestSupport::triggerAction(&r.w.frame(), QStringLiteral("mnuQuery")));
    QVERIFY(r.window()->queryRegion()->isHidden());
    QVERIFY(!r.find<QListWidget>("lstActType")->isVisible());
    QCOMPARE(r.find<QLabel>("lblActType")->text(), QStringLiteral("All Activities"));
}

void TestQueryPane::noDatabase_failedQueryReportsZero()
{
    QTemporaryDir empty;
    Run r(empty.path());
    QCOMPARE(r.find<QComboBox>("cboBook")->count(), 0);
    QCOMPARE(r.find<QComboBox>("cboTotalLoad_1")->count(), 0);
    QCOMPARE(r.find<QLabel>("lblFireBehave")->text(), QStringLiteral("No Models Available"));
    for (int i = 0; i < 3; ++i) {
        r.find<QPushButton>(QStringLiteral("cmdSearch_%1").arg(i))->click();
        QVERIFY(r.state.status.message().startsWith(QStringLiteral("ERROR - Query problem: ")));
        QCOMPARE(r.count(), QStringLiteral("0 photos found"));
    }
    r.find<QPushButton>("cmdAll_0")->click();
    QCOMPARE(r.count(), QStringLiteral("0 photos found"));
}

QTEST_MAIN(TestQueryPane)
#include "tst_querypane.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The Assistant and notes windows in the running main window: their controls and texts, taking components,
// the name box, going to a source photo, the comparison's highlighting and the notes bound to their profile.
#include "data/resultsmodel.h"
#include "files.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/maincommands.h"
#include "mainwindow/ui/maincontroller.h"
#include "mainwindow/ui/resultslistview.h"
#include "profile/profilefile.h"
#include "profile/ui/frmassistant.h"
#include "profile/ui/frmnotes.h"
#include "shell/ui/mdimain.h"
#include "testprogram.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

class TestAssistant : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void window_controlsCaptionsAndTips_data();
    void window_controlsCaptionsAndTips();
    void window_captionFollowsTheProfile();
    void window_builtWhenFirstShown_showsWhatItWasToldBefore();
    void add_takesComponentsOfTheCurrentSlot();
    void add_noDepthOrEmptyRightSlot_takesWhatTheBuilderShows();
    void name_typedChangesTheProfileNotItsChangedFlag();
    void findSource_data();
    void findSource();
    void findSource_outsideTheList_appendedOnce();
    void findSource_hiddenByTheFilter_listedAgainNotAdded();
    void summary_highlightsTheLargerValue();
    void notes_bothWaysOfClosingStoreTheText_data();
    void notes_bothWaysOfClosingStoreTheText();
    void notes_belongToTheProfileTheyWereOpenedFor();
    void notes_storedBeforeSaveAndExit();
    void nameAndNotes_touchedAndSaved_fileUnchanged();

private:
    MainController &c() { return m_w->controller(); }
    ProgramState &state() { return m_w->state(); }
    frmAssistant *assistant() { return c().assistant(); }
    QString text(const QString &name) { return assistant()->label(name)->text(); }
    void click(const QString &name) { assistant()->button(name)->click(); }
    QString label(int row) { return c().resultsModel()->photoAt(row)->label(); }
    bool sql(const QString &statement);

    QTemporaryDir m_root;
    QString m_template;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_library;
    std::unique_ptr<TestWindow> m_w;
};

void TestAssistant::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_template = m_root.filePath(QStringLiteral("template"));
    QVERIFY(TestSupport::makeSampleLibrary(
        m_template, {QStringLiteral("--photos"), QStringLiteral("12"), QStringLiteral("--no-images")}));
}

void TestAssistant::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_library = m_dir->filePath(QStringLiteral("lib"));
    QVERIFY(TestSupport::copyTree(m_template, m_library));
    m_w = std::make_unique<TestWindow>(m_library);
    c().SelectResult(1);
    QVERIFY(TestSupport::triggerAction(&m_w->frame(), QStringLiteral("mnuProfileBuilder")));
}

void TestAssistant::cleanup()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
    m_w.reset();
}

bool TestAssistant::sql(const QString &statement)
{
    if (!TestSupport::makeSqlite(m_library + QStringLiteral("/Photo.mdb"), {statement}))
        return false;
    QString error;
    if (!state().library.ReopenPhotoDatabase(&error))
        return false;
    c().FillResultsList();
    return true;
}

void TestAssistant::window_controlsCaptionsAndTips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("key"); // its access key
    const QString one = QStringLiteral("Use the value on the left for your profile");
    const QString many = QStringLiteral("Use the values on the left for your profile");
    const QString go = QStringLiteral("Make the source photo active");
    QTest::newRow("cmdSelect0to3") << "cmdSelect0to3"
                                   << "Add >" << one << "Alt+1";
    QTest::newRow("cmdSelect3Plus") << "cmdSelect3Plus"
                                    << "Add >" << one << "Alt+2";
    QTest::newRow("cmdSelectDuff") << "cmdSelectDuff"
                                   << "Add >" << many << "Alt+3";
    QTest::newRow("cmdSelectFuelBed") << "cmdSelectFuelBed"
                                      << "Add >" << many << "Alt+4";
    QTest::newRow("cmdGo0to3") << "cmdGo0to3"
                               << "Display Photo" << go << "Alt+5";
    QTest::newRow("cmdGoFuelBed") << "cmdGoFuelBed"
                                  << "Display Photo" << go << "Alt+8";
    QTest::newRow("cmdNew") << "cmdNew"
                            << "New Profile"
                            << "Start a new profile"
                            << "Alt+N";
    QTest::newRow("cmdLoad") << "cmdLoad"
                             << "Load Profile"
                             << "Open an existing profile"
                             << "Alt+L";
    QTest::newRow("CmdSave") << "CmdSave"
                             << "Save Profile"
                             << "Save current values"
                             << "Alt+S";
    QTest::newRow("cmdSaveAs") << "cmdSaveAs"
                               << "Save Profile As"
                               << "Save the current profile with a different name"
                               << "Alt+A";
    QTest::newRow("cmdNotes") << "cmdNotes"
                              << "Notes..."
                              << "Enter text related to this profile"
                              << "Alt+O";
    QTest::newRow("cmdClose_0") << "cmdClose_0"
                                << "Hide"
                                << "Close Assistants window"
                                << "Alt+H";
    QTest::newRow("cmdClose_1") << "cmdClose_1"
                                << "Hide"
                                << "Close Assistant's window"
                                << "Alt+H";
}

void TestAssistant::window_controlsCaptionsAndTips()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, tip);
    QFETCH(QString, key);
    frmAssistant fresh;
    QCOMPARE(fresh.windowTitle(), QStringLiteral("Fenwyx Assistants"));
    QCOMPARE(TestSupport::plainCaption(fresh.TabAssistant()->tabText(0)), QStringLiteral("Comparison Assistant"));
    QCOMPARE(TestSupport::plainCaption(fresh.TabAssistant()->tabText(1)), QStringLiteral("Profile Builder Assistant"));
    QCOMPARE(fresh.txtName()->text(), QStringLiteral("Untitled"));
    QCOMPARE(fresh.txtName()->toolTip(), QStringLiteral("A desriptive name for your profile"));
    QPushButton *b = fresh.button(name);
    QVERIFY(b);
    QCOMPARE(TestSupport::plainCaption(b->text()), caption);
    QCOMPARE(b->toolTip(), tip);
    QCOMPARE(b->shortcut(), QKeySequence(key));
    // Every row caption of both pages, the inch sign being the double quote.
    QStringList captions;
    for (QLabel *l : fresh.findChildren<QLabel *>()) {
        if (l->objectName().isEmpty())
            captions << TestSupport::plainCaption(l->text());
    }
    for (const char *expected :
         {"0\" - 2.9\"", "3\" +", "Total", "Duff Depth", "Fuel Bed Depth", "Vegetation Type", "Activity", "Difference",
          "Profile Values and Source", "0\" - 2.9\" TPA", "3\" + TPA", "Total TPA", "Profile Name"})
        QVERIFY2(captions.contains(QString::fromLatin1(expected)), expected);
}

void TestAssistant::window_captionFollowsTheProfile()
{
    QCOMPARE(assistant()->windowTitle(), QStringLiteral("Fenwyx Assistant[Untitled]"));
    QCOMPARE(text(QStringLiteral("lblPro0to3")), QStringLiteral("0.0"));
    QCOMPARE(text(QStringLiteral("lblProTotal")), QStringLiteral("0"));
    const QString path = m_dir->filePath(QStringLiteral("site"));
    m_w->program.dialogs.fileNames.push_back(path);
    click(QStringLiteral("cmdSaveAs"));
    QCOMPARE(assistant()->windowTitle(), QStringLiteral("Fenwyx Assistant[") + path + QStringLiteral(".pro]"));
}

void TestAssistant::window_builtWhenFirstShown_showsWhatItWasToldBefore()
{
    frmAssistant window;
    ProfileDisplay profile;
    profile.lblPro0to3 = QStringLiteral("4.20");
    profile.lblPL0to3 = QStringLiteral("AK-01/02");
    profile.txtName = QStringLiteral("North slope");
    profile.caption = QStringLiteral("Fenwyx Assistant[north.pro]");
    AssistantSummary summary;
    summary.lblPhoto = {QStringLiteral("AK-01/01"), QStringLiteral("AK-01/02")};
    summary.lbl0to3.value = {AssistantSummary::Cell{QStringLiteral("1.0"), AssistantSummary::NoHighlight},
                             AssistantSummary::Cell{QStringLiteral("2.5"), AssistantSummary::Yellow}};
    summary.lbl0to3.difference = QStringLiteral("1.5");
    summary.lblCurrentPhoto = QStringLiteral("AK-01/02");
    QSignalSpy names(&window, &frmAssistant::nameChanged);
    QSignalSpy pages(&window, &frmAssistant::pageChanged);

    window.showProfile(profile);
    window.setUnits(Units::Metric);
    window.showSummary(summary, 1);
    window.setPages({false, true}, 1);
    // Nothing is built yet, but the caption is the profile's at once.
    QVERIFY(window.findChildren<QLabel *>().isEmpty());
    QCOMPARE(window.windowTitle(), profile.caption);

    window.show();
    QCOMPARE(window.label(QStringLiteral("lblPro0to3"))->text(), profile.lblPro0to3);
    QCOMPARE(window.label(QStringLiteral("lblPL0to3"))->text(), profile.lblPL0to3);
    QCOMPARE(window.txtName()->text(), profile.txtName);
    QCOMPARE(names.count(), 1);
    QCOMPARE(window.label(QStringLiteral("lbl0to3_1"))->text(), QStringLiteral("2.5"));
    QCOMPARE(window.label(QStringLiteral("lbl0to3_2"))->text(), QStringLiteral("1.5"));
    QCOMPARE(window.label(QStringLiteral("lbl0to3_1"))->palette().color(QPalette::Window), QColor(255, 255, 0));
    QVERIFY(window.label(QStringLiteral("lblPhoto_1"))->font().bold());
    QVERIFY(!window.label(QStringLiteral("lblPhoto_0"))->font().bold());
    QCOMPARE(window.TabAssistant()->currentIndex(), 1);
    QVERIFY(!window.TabAssistant()->isTabEnabled(0));
    QCOMPARE(pages.count(), 1);
    bool metric = false;
    for (QLabel *l : window.findChildren<QLabel *>())
        metric = metric || l->text().contains(QLatin1String("Mg/ha"));
    QVERIFY(metric);
    // Told afterwards, the built window shows it at once.
    profile.txtName = QStringLiteral("South slope");
    window.showProfile(profile);
    QCOMPARE(window.txtName()->text(), profile.txtName);
}

void TestAssistant::add_takesComponentsOfTheCurrentSlot()
{
    const PhotoRecord first = *c().resultsModel()->photoAt(0);
    click(QStringLiteral("cmdSelect0to3"));
    click(QStringLiteral("cmdSelect3Plus"));
    const FuelProfile &p = state().profile.profile();
    QCOMPARE(p.Tpa1, first.tonsPerAcreBreak[0].value_or(0));
    QCOMPARE(p.Source0to3, first.label());
    QCOMPARE(text(QStringLiteral("lblPL0to3")), first.label());
    QCOMPARE(text(QStringLiteral("lblPro3Plus")), text(QStringLiteral("lblCur3Plus")));
    QVERIFY(state().profile.profileChanged());
    QVERIFY(c().commands().mnuFuelProfilePrint->isEnabled());

    // In compare mode the right slot is current: its photo is taken.
    QVERIFY(TestSupport::triggerAction(&m_w->frame(), QStringLiteral("mnuCompare")));
    c().lstPhotos_ItemClick(3);
    QCOMPARE(text(QStringLiteral("lblCurrentPhoto")), label(3));
    click(QStringLiteral("cmdSelect0to3"));
    QCOMPARE(state().profile.profile().Source0to3, label(3));
    QCOMPARE(state().profile.profile().Source3Plus, first.label());
}

void TestAssistant::add_noDepthOrEmptyRightSlot_takesWhatTheBuilderShows()
{
    QVERIFY(sql(QStringLiteral("UPDATE Photos SET AverageDuffDepth = -1 WHERE ID = (SELECT MIN(ID) FROM Photos)")));
    c().SelectResult(1);
    QCOMPARE(text(QStringLiteral("lblCurDuff")), QStringLiteral("no data"));
    click(QStringLiteral("cmdSelectDuff"));
    QVERIFY(state().profile.profile().SourceDuff.isEmpty());
    QVERIFY(state().profile.profileChanged());

    // The right slot is current and still empty: the builder page shows the left photo, which is what is taken.
    QVERIFY(TestSupport::triggerAction(&m_w->frame(), QStringLiteral("mnuCompare")));
    state().profile.setProfileChanged(false);
    QCOMPARE(text(QStringLiteral("lblCurrentPhoto")), label(0));
    click(QStringLiteral("cmdSelect0to3"));
    QCOMPARE(state().profile.profile().Source0to3, label(0));
    QVERIFY(state().profile.profileChanged());
}

void TestAssistant::name_typedChangesTheProfileNotItsChangedFlag()
{
    QLineEdit *name = assistant()->txtName();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("North slope"));
    QCOMPARE(state().profile.profile().ProfileName, QStringLiteral("North slope"));
    QVERIFY(!state().profile.profileChanged());
    click(QStringLiteral("cmdNew"));
    QCOMPARE(name->text(), QStringLiteral("Untitled"));
}

void TestAssistant::findSource_data()
{
    QTest::addColumn<QString>("how"); // how the source label is written
    QTest::addColumn<bool>("found");
    QTest::newRow("as listed") << "same" << true;
    QTest::newRow("other letter case") << "lower" << true;
    QTest::newRow("blanks around") << "blanks" << true;
    QTest::newRow("never taken") << "empty" << false;
    QTest::newRow("not installed") << "unknown" << false;
}

void TestAssistant::findSource()
{
    QFETCH(QString, how);
    QFETCH(bool, found);
    const int rows = c().resultsModel()->rowCount();
    QString source = label(6);
    if (how == QLatin1String("lower"))
        source = source.toLower();
    else if (how == QLatin1String("blanks"))
        source = QStringLiteral("  ") + source + QStringLiteral(" ");
    else if (how == QLatin1String("empty"))
        source.clear();
    else if (how == QLatin1String("unknown"))
        source = QStringLiteral("NOBOOK/1");
    const QString shownBefore = state().photoSlots.states[0].label;
    c().FindSource(source);
    QCOMPARE(c().resultsModel()->rowCount(), rows);
    if (found) {
        QCOMPARE(state().photoSlots.states[0].label, label(6));
        QCOMPARE(c().resultsList()->currentRow(), 6);
    } else {
        QCOMPARE(state().status.message(), QStringLiteral("ERROR - Can't find in currently installed photos"));
        QCOMPARE(state().photoSlots.states[0].label, shownBefore);
    }
}

void TestAssistant::findSource_outsideTheList_appendedOnce()
{
    // The list shows three photos (as after a query); the source photo is installed but not among them.
    const PhotoSetPtr all = state().library.currentPhotoSet();
    const PhotoRecord source = all->at(8);
    state().library.setCurrentPhotoSet(std::make_shared<PhotoSet>(all->begin(), all->begin() + 3));
    c().FillResultsList();
    const QString shownBefore = state().photoSlots.states[0].label;
    for (int press = 0; press < 2; ++press) {
        c().FindSource(source.label().toUpper());
        QCOMPARE(c().resultsModel()->rowCount(), 4);
        QCOMPARE(c().resultsModel()->photoAt(3)->key(), source.key());
        QCOMPARE(c().resultsList()->currentRow(), 3);
        QCOMPARE(state().photoSlots.states[0].label, source.label());
        c().SelectResult(1);
    }
    QVERIFY(state().photoSlots.states[0].label == shownBefore);
    // Through the Assistant's button, from a loaded profile's source label.
    FuelProfile profile;
    profile.SourceFuelBed = source.label();
    const QString file = m_dir->filePath(QStringLiteral("p.pro"));
    QVERIFY(ProfileFile::write(file, profile));
    QVERIFY(state().profile.LoadProfile(file));
    click(QStringLiteral("cmdGoFuelBed"));
    QCOMPARE(state().photoSlots.states[0].label, source.label());
    QCOMPARE(c().resultsModel()->rowCount(), 4);
}

// A source photo of the set that the quick filter hides: the filter is cleared and the photo shown, never added
// a second time, and the count always says what is listed.
void TestAssistant::findSource_hiddenByTheFilter_listedAgainNotAdded()
{
    const int photos = c().resultsModel()->photoCount();
    const PhotoRecord source = *c().resultsModel()->photoAt(6);
    QLineEdit *filter = m_w->frame().findChild<QLineEdit *>(QStringLiteral("txtFilter"));
    filter->setText(c().resultsModel()->photoAt(2)->label());
    QCOMPARE(c().resultsModel()->rowCount(), 1);
    c().FindSource(source.label());
    QVERIFY(filter->text().isEmpty());
    QCOMPARE(c().resultsModel()->photoCount(), photos);
    QCOMPARE(c().resultsModel()->rowCount(), photos);
    QCOMPARE(state().status.count(), QString::number(photos) + QStringLiteral(" photos found"));
    QCOMPARE(state().photoSlots.states[0].label, source.label());
    QCOMPARE(c().resultsList()->currentRow(), 6);
}

void TestAssistant::summary_highlightsTheLargerValue()
{
    QVERIFY(TestSupport::triggerAction(&m_w->frame(), QStringLiteral("mnuCompare")));
    // The same photo in both slots: equal values, the right one yellow, differences 0.0.
    c().SelectResult(1);
    const QColor yellow(255, 255, 0);
    QCOMPARE(assistant()->label(QStringLiteral("lblTotal_1"))->palette().color(QPalette::Window), yellow);
    QVERIFY(assistant()->label(QStringLiteral("lblTotal_0"))->palette().color(QPalette::Window) != yellow);
    QCOMPARE(text(QStringLiteral("lblTotal_2")), QStringLiteral("0.0"));
    // Another photo: the larger total is yellow, the difference the two totals apart.
    for (int row = 1; row < c().resultsModel()->rowCount(); ++row) {
        c().lstPhotos_ItemClick(row);
        const double left = text(QStringLiteral("lblTotal_0")).toDouble();
        const double right = text(QStringLiteral("lblTotal_1")).toDouble();
        if (left == right)
            continue;
        const int larger = left > right ? 0 : 1;
        QCOMPARE(assistant()->label(QStringLiteral("lblTotal_%1").arg(larger))->palette().color(QPalette::Window),
                 yellow);
        QCOMPARE(text(QStringLiteral("lblTotal_2")), QString::number(qAbs(left - right), 'f', 1));
        return;
    }
    QFAIL("no photo with another total");
}

void TestAssistant::notes_bothWaysOfClosingStoreTheText_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Close button") << false;
    QTest::newRow("the window's close box") << true;
}

void TestAssistant::notes_bothWaysOfClosingStoreTheText()
{
    QFETCH(bool, closeBox);
    QVERIFY(assistant()->isVisible());
    click(QStringLiteral("cmdNotes"));
    frmnotes *notes = c().notes();
    QVERIFY(notes && notes->isVisible());
    QCOMPARE(notes->windowTitle(), QStringLiteral("Notes"));
    QVERIFY(!assistant()->isVisible()); // it would cover the notes
    click(QStringLiteral("cmdNotes"));  // opened twice: still one window
    QCOMPARE(c().notes(), notes);
    notes->txtnotes()->setPlainText(QStringLiteral("Two\nlines"));
    if (closeBox)
        notes->close();
    else
        notes->findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
    QTRY_VERIFY(!c().notes());
    QCOMPARE(state().profile.profile().Notes, QStringLiteral("Two\nlines"));
    QVERIFY(!state().profile.profileChanged());
    QVERIFY(assistant()->isVisible());
    click(QStringLiteral("cmdNotes"));
    QCOMPARE(c().notes()->txtnotes()->toPlainText(), QStringLiteral("Two\nlines"));
}

void TestAssistant::notes_belongToTheProfileTheyWereOpenedFor()
{
    // A profile on disk, loaded while notes of the current one are open.
    FuelProfile other;
    other.ProfileName = QStringLiteral("Other");
    other.Notes = QStringLiteral("Its own notes");
    const QString file = m_dir->filePath(QStringLiteral("other.pro"));
    QVERIFY(ProfileFile::write(file, other));
    const QString current = m_dir->filePath(QStringLiteral("current.pro"));
    m_w->program.dialogs.fileNames.push_back(current);
    click(QStringLiteral("cmdSaveAs"));

    click(QStringLiteral("cmdNotes"));
    c().notes()->txtnotes()->setPlainText(QStringLiteral("typed for the first"));
    m_w->program.dialogs.fileNames.push_back(file);
    click(QStringLiteral("cmdLoad"));
    QTRY_VERIFY(!c().notes());
    QCOMPARE(state().profile.profile().Notes, QStringLiteral("Its own notes"));
    click(QStringLiteral("cmdNotes"));
    QCOMPARE(c().notes()->txtnotes()->toPlainText(), QStringLiteral("Its own notes"));
    c().notes()->txtnotes()->setPlainText(QStringLiteral("gone with the new profile"));
    click(QStringLiteral("cmdNew"));
    QTRY_VERIFY(!c().notes());
    QVERIFY(state().profile.profile().Notes.isEmpty());
}

void TestAssistant::notes_storedBeforeSaveAndExit()
{
    const QString file = m_dir->filePath(QStringLiteral("saved"));
    click(QStringLiteral("cmdNotes"));
    c().notes()->txtnotes()->setPlainText(QStringLiteral("written, window still open"));
    m_w->program.dialogs.fileNames.push_back(file);
    click(QStringLiteral("cmdSaveAs"));
    const std::optional<FuelProfile> saved = ProfileFile::read(file + QStringLiteral(".pro"));
    QVERIFY(saved);
    QCOMPARE(saved->Notes, QStringLiteral("written, window still open"));

    c().notes()->txtnotes()->setPlainText(QStringLiteral("at the exit question"));
    m_w->program.dialogs.answers.push_back(MessageAnswer::No);
    QVERIFY(!c().mayClose());
    QCOMPARE(state().profile.profile().Notes, QStringLiteral("at the exit question"));
    QVERIFY(!state().profile.profileChanged()); // notes alone never ask to save
}

void TestAssistant::nameAndNotes_touchedAndSaved_fileUnchanged()
{
    // A name longer than a line edit holds by default, and every character a profile file can hold but a double
    // quote, no-break spaces (0xA0) among them, in the name and in the notes.
    QByteArray characters;
    for (int c = 0; c < 256; ++c) {
        if (c != '"' && c != '\r' && c != '\n')
            characters += char(c);
    }
    QByteArray name = characters + "\xA0 two\xA0\xA0spaces\xA0";
    name += QByteArray(40003 - name.size(), 'n');
    const QByteArray notes = "\xA0" + characters + "\r\n\r\n\xA0indented\tand tabbed\xA0\r\nlast\xA0";
    // A source label that would widen the window beyond any screen is shown cut, but kept whole.
    const QByteArray source = QByteArray(300, 'S');
    const QByteArray bytes = "\"" + name + "\"\r\n\"" + notes +
                             "\"\r\n\"B1/3\"\r\n1.04\r\n2.03\r\n.02\r\n\"\"\r\n0\r\n\"\"\r\n\"" + source +
                             "\"\r\n-1\r\n.5\r\n";
    const auto decoded = ProfileFile::decode(bytes);
    QVERIFY(decoded);
    QCOMPARE(ProfileFile::encode(*decoded), bytes); // the file alone reads and writes back unchanged
    const QString file = m_dir->filePath(QStringLiteral("unusual.pro"));
    QVERIFY(TestSupport::writeBytes(file, bytes));
    m_w->program.dialogs.fileNames.push_back(file);
    click(QStringLiteral("cmdLoad"));
    QCOMPARE(state().profile.profilePath(), file);

    // The name box is clicked into, a letter typed at its end and taken back.
    QLineEdit *box = assistant()->txtName();
    QCOMPARE(box->text().size(), 40003);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_X);
    QTest::keyClick(box, Qt::Key_Backspace);
    // The notes are opened, a letter typed and taken back, and closed.
    click(QStringLiteral("cmdNotes"));
    QPlainTextEdit *edit = c().notes()->txtnotes();
    QTest::mouseClick(edit->viewport(), Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_X);
    QTest::keyClick(edit, Qt::Key_Backspace);
    c().notes()->findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
    QTRY_VERIFY(!c().notes());

    const QString shown = text(QStringLiteral("lblPLFuelBed"));
    QVERIFY(shown.size() < 40 && shown.startsWith(QStringLiteral("SSS")) && shown.endsWith(QChar(0x2026)));
    QSignalSpy sought(assistant(), &frmAssistant::sourceRequested);
    click(QStringLiteral("cmdGoFuelBed"));
    QCOMPARE(sought.value(0).value(0).toString(), QString::fromLatin1(source));

    click(QStringLiteral("CmdSave"));
    QVERIFY(m_w->program.dialogs.messages.empty());
    QCOMPARE(TestSupport::fileBytes(file), bytes);
}

QTEST_MAIN(TestAssistant)
#include "tst_assistant.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// Profile commands: components from a photo, the Assistant's texts, save, replace, load and their failures.
#include "data/numberformat.h"
#include "data/photorecord.h"
#include "platform/dialogs.h"
#include "profile/familylist.h"
#include "profile/profilefile.h"
#include "profile/profilestate.h"
#include "shell/statusreporter.h"

#include "files.h"

#include "platformdoubles.h"
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <sys/stat.h>

using TestSupport::fileBytes;
using TestSupport::writeBytes;

namespace
{

PhotoRecord photo(const QString &book, const QString &label, std::array<OptionalNumber, 7> classes, OptionalNumber duff,
                  OptionalNumber fuelBed)
{
    PhotoRecord p;
    p.bookLabel = book;
    p.photoLabel = label;
    p.tonsPerAcreBreak = classes;
    p.averageDuffDepth = duff;
    p.averageFuelbedDepth = fuelBed;
    return p;
}

const PhotoRecord kFine = photo("B1", "3", {1.04, 2.03, 0.02, 0, 0, 0, 0}, 0.26, -1);
const PhotoRecord kCoarse = photo("B2", "7", {0, 0, 0, 5.01, 4.0, 3.25, 0.0}, std::nullopt, 14.04);

struct Fixture {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    StatusReporter status;
    ProfileState state{dialogs, &status, dir.path()};
    Fixture() { state.NewProfile(); }
    QString path(const QString &name) const { return dir.filePath(name); }
};

} // namespace

class TestProfileState : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showProfile_texts_data();
    void showProfile_texts();
    void take_components_fromRecord();
    void take_missingValues_data();
    void take_missingValues();
    void save_newProfile_extensionCaptionAndList();
    void save_writeFails_profileStaysChanged();
    void save_refusedBeforeWriting_data();
    void save_refusedBeforeWriting();
    void save_listIsPipe_profileSavedThenRefused();
    void saveAs_existingFile_asksAboutFinalPath_data();
    void saveAs_existingFile_asksAboutFinalPath();
    void saveCommand_loadedProfile_savesWithoutQuestion();
    void saveForExit_failures_data();
    void saveForExit_failures();
    void load_failure_leavesProfileUntouched_data();
    void load_failure_leavesProfileUntouched();
    void load_keepsChangedFlag_andNotesLines();
    void save_quotesAndForeignCharacters_toldOnce();
    void dialogs_titlesFoldersAndLastName();
    void saveDialog_afterCancelledLoad_offersNoName();
};

void TestProfileState::showProfile_texts_data()
{
    QTest::addColumn<FuelProfile>("profile");
    QTest::addColumn<Units>("units");
    QTest::addColumn<QStringList>("texts"); // 0to3, 3Plus, total, duff, fuel bed
    QTest::newRow("new profile") << FuelProfile() << Units::Imperial << QStringList{"0.0", "0.0", "0", "0.0", "0.0"};
    FuelProfile p;
    p.Tpa1 = 1.04;
    p.Tpa2 = 2.03;
    p.Tpa3 = 0.02;
    QTest::newRow("fine classes shown rounded")
        << p << Units::Imperial << QStringList{"3.1", "0.0", "3.1", "0.0", "0.0"};
    p.Load3Plus = 12.3;
    p.DuffDepth = -1;
    p.FuelBedDepth = 2.25;
    QTest::newRow("total of shown loadings, duff no data")
        << p << Units::Imperial << QStringList{"3.1", "12.3", "15.4", "no data", "2.3"};

    // Values that each fit a double, but whose sum or metric value does not, are unknown, never "Inf".
    const double max = std::numeric_limits<double>::max();
    FuelProfile huge;
    huge.Tpa1 = huge.Tpa2 = huge.Tpa3 = max;
    QTest::newRow("fine classes add up beyond a double")
        << huge << Units::Imperial << QStringList{"no data", "0.0", "no data", "0.0", "0.0"};
    huge.Tpa2 = huge.Tpa3 = 0;
    huge.Load3Plus = max;
    const QString maxShown = NumberFormat::picture(max, u"##0.0");
    QTest::newRow("shown loadings add up beyond a double")
        << huge << Units::Imperial << QStringList{maxShown, maxShown, "no data", "0.0", "0.0"};
    huge.DuffDepth = max;
    huge.FuelBedDepth = -max;
    QTest::newRow("metric values beyond a double")
        << huge << Units::Metric << QStringList{"no data", "no data", "no data", "no data", "no data"};
}

void TestProfileState::showProfile_texts()
{
    QFETCH(FuelProfile, profile);
    QFETCH(Units, units);
    QFETCH(QStringList, texts);
    const ProfileDisplay d = profileDisplay(profile, kUntitled, units);
    QCOMPARE((QStringList{d.lblPro0to3, d.lblPro3Plus, d.lblProTotal, d.lblProDuff, d.lblProFuelBed}), texts);
    QCOMPARE(d.caption, QStringLiteral("Fenwyx Assistant[Untitled]"));
    QCOMPARE(d.txtName, profile.ProfileName);
}

void TestProfileState::take_components_fromRecord()
{
    Fixture f;
    QSignalSpy shown(&f.state, &ProfileState::profileShown);
    QSignalSpy printable(&f.state, &ProfileState::fuelProfilePrintEnabled);
    QVERIFY(f.state.AddComponent(Component0to3, &kFine));
    QVERIFY(f.state.AddComponent(ComponentDuff, &kFine));
    QVERIFY(f.state.AddComponent(Component3Plus, &kCoarse));
    QVERIFY(f.state.AddComponent(ComponentFuelBed, &kCoarse));
    const FuelProfile &p = f.state.profile();
    QCOMPARE(p.Tpa1, 1.04);
    QCOMPARE(p.Tpa2, 2.03);
    QCOMPARE(p.Tpa3, 0.02);
    QCOMPARE(p.Source0to3, QStringLiteral("B1/3"));
    QCOMPARE(p.Load3Plus, 12.3); // 12.26 as shown
    QCOMPARE(p.Source3Plus, QStringLiteral("B2/7"));
    QCOMPARE(p.DuffDepth, 0.3);
    QCOMPARE(p.SourceDuff, QStringLiteral("B1/3"));
    QCOMPARE(p.FuelBedDepth, 14.0);
    QCOMPARE(p.SourceFuelBed, QStringLiteral("B2/7"));
    QVERIFY(f.state.profileChanged());
    QCOMPARE(shown.count(), 4);
    QCOMPARE(printable.count(), 4);
    const auto d = shown.last().at(0).value<ProfileDisplay>();
    QCOMPARE(d.lblProTotal, QStringLiteral("15.4"));
    QCOMPARE(d.lblPLFuelBed, QStringLiteral("B2/7"));
}

void TestProfileState::take_missingValues_data()
{
    QTest::addColumn<int>("component");
    QTest::addColumn<bool>("hasPhoto");
    QTest::addColumn<QString>("status");
    QTest::newRow("no photo") << int(Component0to3) << false << "ERROR - Can't select values, no photo selected";
    QTest::newRow("depth not measured: silent") << int(ComponentFuelBed) << true << "";
    QTest::newRow("null depth") << int(ComponentDuff) << true << "ERROR - Can't select values, photo has no duff depth";
    QTest::newRow("null coarse class") << int(Component3Plus) << true
                                       << "ERROR - Can't select values, photo has no 3\" + loading";
    QTest::newRow("null fine class") << int(Component0to3) << true
                                     << "ERROR - Can't select values, photo has no 0\" - 2.9\" loading";
    QTest::newRow("unknown code") << 9 << true << "";
}

void TestProfileState::take_missingValues()
{
    QFETCH(int, component);
    QFETCH(bool, hasPhoto);
    QFETCH(QString, status);
    Fixture f;
    PhotoRecord gap = photo("B9", "1", {1, std::nullopt, 1, std::nullopt, 1, 1, 1}, std::nullopt, -1);
    const FuelProfile before = f.state.profile();
    f.state.AddComponent(component, hasPhoto ? &gap : nullptr);
    QCOMPARE(f.state.profile(), before);
    QCOMPARE(f.status.message(), status);
    QVERIFY(f.state.profileChanged()); // the button was pressed all the same
}

void TestProfileState::save_newProfile_extensionCaptionAndList()
{
    Fixture f;
    f.state.AddComponent(Component0to3, &kFine);
    QSignalSpy caption(&f.state, &ProfileState::captionChanged);
    QString path = f.path("site");
    QVERIFY(f.state.SaveProfile(path));
    QCOMPARE(path, f.path("site.pro"));
    QCOMPARE(f.state.profilePath(), path);
    QCOMPARE(caption.last().at(0).toString(), "Fenwyx Assistant[" + path + "]");
    QVERIFY(!f.state.profileChanged());
    QCOMPARE(ProfileFile::read(path).value(), f.state.profile());
    QVERIFY(fileBytes(f.path(FamilyList::kListName)).startsWith("\"pro\",\"" + path.toLatin1() + "\",\""));
    QVERIFY(f.dialogs.messages.empty());
}

void TestProfileState::save_writeFails_profileStaysChanged()
{
    Fixture f;
    QVERIFY(writeBytes(f.path("plain"), "x"));
    f.state.AddComponent(Component0to3, &kFine);
    QString path = f.path("plain/site");
    QVERIFY(!f.state.SaveProfile(path));
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QVERIFY(
        f.dialogs.messages[0].text.startsWith("Error while saving file: " + f.path("plain/site.pro") + "\rError: "));
    QCOMPARE(f.dialogs.messages[0].caption, QStringLiteral("Fenwyx"));
    QVERIFY(f.state.profileChanged());
    QCOMPARE(f.state.profilePath(), kUntitled);
    QVERIFY(!QFile::exists(f.path(FamilyList::kListName)));
}

void TestProfileState::save_refusedBeforeWriting_data()
{
    QTest::addColumn<bool>("dialog"); // chosen in the save dialog, else saved straight to the name
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("notesSize");
    QTest::addColumn<QString>("error");
    const QString separator = QStringLiteral("52 The name ends in a folder separator: it names a folder, not a file");
    const QString folder = QStringLiteral("52 The name is that of a folder, not of a file");
    QTest::newRow("name ends in a separator") << false << "data/" << 0 << separator;
    QTest::newRow("missing folder's name ends in a separator") << false << "none/" << 0 << separator;
    QTest::newRow("name of a folder") << false << "data" << 0 << folder;
    QTest::newRow("dialog: name ends in a separator") << true << "data/" << 0 << separator;
    QTest::newRow("dialog: name of a folder") << true << "data" << 0 << folder;
    QTest::newRow("file beyond the bound") << false << "big" << int(ProfileFile::kMaxFileSize)
                                           << "7 A fuel profile file may hold at most 1 MB, names and notes included";
}

void TestProfileState::save_refusedBeforeWriting()
{
    QFETCH(bool, dialog);
    QFETCH(QString, name);
    QFETCH(int, notesSize);
    QFETCH(QString, error);
    Fixture f;
    QVERIFY(QDir(f.dir.path()).mkdir("data"));
    f.state.AddComponent(Component0to3, &kFine);
    f.state.setNotes(QString(notesSize, QLatin1Char('n')));
    QString path = f.path(name);
    if (dialog)
        f.dialogs.fileNames.push_back(path);
    QVERIFY(!(dialog ? f.state.SaveAsCommand() : f.state.SaveProfile(path)));
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    const QString target = f.path(notesSize > 0 ? name + ".pro" : name);
    QCOMPARE(f.dialogs.messages[0].text, "Error while saving file: " + target + "\rError: " + error);
    QCOMPARE(f.dialogs.messages[0].caption, QStringLiteral("Fenwyx"));
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"data"});
    QCOMPARE(QDir(f.path("data")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(f.state.profilePath(), kUntitled);
    QVERIFY(f.state.profileChanged());
    QCOMPARE(f.state.profile().Notes.size(), notesSize); // the profile itself is kept
}

void TestProfileState::save_listIsPipe_profileSavedThenRefused()
{
    // The profile is saved first; the list that is no file is then refused at once, never waited on.
    Fixture f;
    QCOMPARE(::mkfifo(QFile::encodeName(f.path(FamilyList::kListName)).constData(), 0600), 0);
    f.state.AddComponent(Component0to3, &kFine);
    QString path = f.path("site");
    QVERIFY(f.state.SaveProfile(path));
    QCOMPARE(ProfileFile::read(path).value(), f.state.profile());
    QCOMPARE(f.state.profilePath(), path);
    QVERIFY(!f.state.familyListUpdated());
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QVERIFY2(f.dialogs.messages[0].text.startsWith("Problem saving to Brackel list\r75-"),
             qPrintable(f.dialogs.messages[0].text));
}

void TestProfileState::saveAs_existingFile_asksAboutFinalPath_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("yes replaces") << MessageAnswer::Yes;
    QTest::newRow("no keeps the file") << MessageAnswer::No;
}

void TestProfileState::saveAs_existingFile_asksAboutFinalPath()
{
    QFETCH(MessageAnswer, answer);
    Fixture f;
    QVERIFY(writeBytes(f.path("site.pro"), "old"));
    f.state.AddComponent(Component0to3, &kFine);
    f.dialogs.answers.push_back(answer);
    QString path = f.path("site");
    const bool saved = f.state.SaveProfileAs(path);
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    const auto &question = f.dialogs.messages[0];
    QCOMPARE(question.text, f.path("site.pro") + " exists. Do you wish to replace it?");
    QCOMPARE(question.caption, QString());
    QCOMPARE(question.buttons, MessageButtons::YesNo);
    QCOMPARE(question.icon, MessageIcon::Exclamation);
    QCOMPARE(saved, answer == MessageAnswer::Yes);
    if (saved) {
        QCOMPARE(ProfileFile::read(f.path("site.pro")).value(), f.state.profile());
        QCOMPARE(f.state.profilePath(), f.path("site.pro"));
    } else {
        QCOMPARE(fileBytes(f.path("site.pro")), QByteArray("old"));
        QCOMPARE(f.state.profilePath(), kUntitled);
        QVERIFY(f.state.profileChanged());
    }
}

void TestProfileState::saveCommand_loadedProfile_savesWithoutQuestion()
{
    Fixture f;
    const QString path = f.path("old.PRO");
    QVERIFY(ProfileFile::write(path, FuelProfile()));
    QVERIFY(f.state.LoadProfile(path));
    f.state.AddComponent(Component3Plus, &kCoarse);
    QVERIFY(f.state.SaveCommand());
    QVERIFY(f.dialogs.messages.empty());
    QVERIFY(f.dialogs.fileRequests.empty());
    QCOMPARE(ProfileFile::read(path)->Load3Plus, 12.3);
    QVERIFY(!QFile::exists(path + ".pro"));
}

void TestProfileState::saveForExit_failures_data()
{
    QTest::addColumn<QString>("chosen"); // empty: dialog cancelled
    QTest::addColumn<bool>("existing");  // refuse the replace question
    QTest::newRow("dialog cancelled") << "" << false;
    QTest::newRow("replace refused") << "site" << true;
    QTest::newRow("write fails") << "plain/site" << false;
}

void TestProfileState::saveForExit_failures()
{
    QFETCH(QString, chosen);
    QFETCH(bool, existing);
    Fixture f;
    QVERIFY(writeBytes(f.path("plain"), "x"));
    if (existing)
        QVERIFY(writeBytes(f.path("site.pro"), "old"));
    if (!chosen.isEmpty())
        f.dialogs.fileNames.push_back(f.path(chosen));
    f.state.AddComponent(Component0to3, &kFine);
    QVERIFY(!f.state.saveForExit());
    QVERIFY(f.state.profileChanged());
    QCOMPARE(f.state.profilePath(), kUntitled);
    QCOMPARE(f.dialogs.fileRequests.size(), size_t(1));
}

void TestProfileState::load_failure_leavesProfileUntouched_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ends after the 8th line") << QByteArray("\"n\"\r\n\"\"\r\n\"s\"\r\n1\r\n2\r\n3\r\n\"t\"\r\n4\r\n");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("number not a number") << QByteArray("\"n\"\r\n\"\"\r\n\"s\"\r\n1\r\nx\r\n3\r\n");
    QTest::newRow("missing file") << QByteArray("MISSING");
    // Reading either would never end: refused unread.
    QTest::newRow("a pipe") << QByteArray("PIPE");
    QTest::newRow("a device") << QByteArray("DEVICE");
}

void TestProfileState::load_failure_leavesProfileUntouched()
{
    QFETCH(QByteArray, bytes);
    Fixture f;
    QString saved = f.path("good");
    f.state.AddComponent(Component0to3, &kFine);
    QVERIFY(f.state.SaveProfile(saved));
    const FuelProfile before = f.state.profile();
    const QString bad = f.path("bad.pro");
    if (bytes == "PIPE")
        QCOMPARE(::mkfifo(QFile::encodeName(bad).constData(), 0600), 0);
    else if (bytes == "DEVICE")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), bad));
    else if (bytes != "MISSING")
        QVERIFY(writeBytes(bad, bytes));
    QSignalSpy shown(&f.state, &ProfileState::profileShown);
    QVERIFY(!f.state.LoadProfile(bad));
    QCOMPARE(f.state.profile(), before);
    QCOMPARE(f.state.profilePath(), saved);
    QCOMPARE(shown.count(), 0);
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QVERIFY(f.dialogs.messages[0].text.startsWith("Error while opening file: \rError: "));
    QCOMPARE(f.dialogs.messages[0].buttons, MessageButtons::Ok);
    QCOMPARE(f.dialogs.messages[0].caption, QStringLiteral("Fenwyx"));
}

void TestProfileState::load_keepsChangedFlag_andNotesLines()
{
    Fixture f;
    f.state.setNotes(QStringLiteral("first\nsecond"));
    f.state.setProfileName(QStringLiteral("Dry ridge"));
    QVERIFY(!f.state.profileChanged());
    QString path = f.path("notes");
    QVERIFY(f.state.SaveProfile(path));
    f.state.NewProfile();
    f.state.AddComponent(ComponentDuff, &kFine);
    QSignalSpy shown(&f.state, &ProfileState::profileShown);
    QVERIFY(f.state.LoadProfile(path));
    QVERIFY(f.state.profileChanged());
    QCOMPARE(f.state.profile().Notes, QStringLiteral("first\nsecond"));
    QCOMPARE(shown.count(), 1);
    const auto d = shown.at(0).at(0).value<ProfileDisplay>();
    QCOMPARE(d.txtName, QStringLiteral("Dry ridge"));
    QCOMPARE(d.caption, "Fenwyx Assistant[" + path + "]");
}

void TestProfileState::save_quotesAndForeignCharacters_toldOnce()
{
    Fixture f;
    f.state.setProfileName(QStringLiteral("The \"best\" site"));
    f.state.setNotes(QString::fromUtf8("Ωmega"));
    QString path = f.path("q");
    QVERIFY(f.state.SaveProfile(path));
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QVERIFY(f.dialogs.messages[0].text.contains(QStringLiteral("single quotes")));
    QVERIFY(f.dialogs.messages[0].text.contains(QStringLiteral("question marks")));
    QCOMPARE(f.state.profile().ProfileName, QStringLiteral("The 'best' site"));
    f.state.setProfileName(QStringLiteral("Another \"one\""));
    QVERIFY(f.state.SaveProfile(path));
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    const auto back = ProfileFile::read(path);
    QVERIFY(back);
    QCOMPARE(back->ProfileName, QStringLiteral("Another 'one'"));
    QCOMPARE(back->Notes, QStringLiteral("?mega"));
}

void TestProfileState::dialogs_titlesFoldersAndLastName()
{
    Fixture f;
    QVERIFY(writeBytes(f.path("data"), "a file, not the folder"));
    QVERIFY(!f.state.AskProfileToLoad());
    QVERIFY(QFile::remove(f.path("data")));
    QVERIFY(QDir(f.dir.path()).mkdir("data"));
    const QString chosen = f.path("data/one.pro");
    f.dialogs.fileNames.push_back(chosen);
    QCOMPARE(f.state.AskProfileToLoad().value(), chosen);
    QVERIFY(!f.state.AskProfileSaveName());
    const auto &r = f.dialogs.fileRequests;
    QCOMPARE(r.size(), size_t(3));
    QCOMPARE(r[0].title, QStringLiteral("Load Profile"));
    QCOMPARE(r[0].filter, QStringLiteral("Fenwyx Fuel Profile(*.pro)"));
    QCOMPARE(r[0].initialFolder, f.dir.path());
    QCOMPARE(r[0].fileName, QString());
    QCOMPARE(r[1].initialFolder, f.path("data"));
    QCOMPARE(r[2].title, QStringLiteral("Save Profile as ..."));
    QCOMPARE(r[2].filter, QStringLiteral("Fenwyx Fuel Profile(*.pro)"));
    QCOMPARE(r[2].initialFolder, f.path("data"));
    QCOMPARE(r[2].fileName, chosen);
}

void TestProfileState::saveDialog_afterCancelledLoad_offersNoName()
{
    // The load dialog starts empty; cancelling it leaves that empty name for the next save dialog.
    Fixture f;
    f.dialogs.fileNames.push_back(f.path("chosen.pro"));
    QVERIFY(f.state.AskProfileSaveName());
    QVERIFY(!f.state.AskProfileSaveName());
    QVERIFY(!f.state.AskProfileToLoad());
    QVERIFY(!f.state.AskProfileSaveName());
    const auto &r = f.dialogs.fileRequests;
    QCOMPARE(r.size(), size_t(4));
    QCOMPARE(r[1].fileName, f.path("chosen.pro")); // a cancelled save dialog keeps the name
    QCOMPARE(r[2].fileName, QString());
    QCOMPARE(r[3].fileName, QString());
}

QTEST_GUILESS_MAIN(TestProfileState)
#include "tst_profilestate.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The photo manager's window as a user works it: a series installed through the plan and the progress window, then
// a book removed with its images.
#include "data/ui/frmphotomanager.h"
#include "platformdoubles.h"
#include "testprogram.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestPhotoManagerWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void installThenRemove_throughTheWindow();
};

void TestPhotoManagerWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestPhotoManagerWindow::cleanup()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
}

void TestPhotoManagerWindow::installThenRemove_throughTheWindow()
{
    QTemporaryDir dir;
    const QString series = dir.filePath(QStringLiteral("series"));
    const QString program = dir.filePath(QStringLiteral("program"));
    QVERIFY(TestSupport::makeSampleLibrary(series, {QStringLiteral("--photos"), QStringLiteral("16")}));
    QVERIFY(QDir().mkpath(program));
    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    FixedDriveInfo drives;
    frmPhotoManager window(program, dialogs, &settings, &drives);
    window.show();
    auto *books = window.findChild<QTableWidget *>(QStringLiteral("lstBooks"));
    QCOMPARE(books->rowCount(), 0);

    dialogs.folders.push_back(series);
    window.findChild<QPushButton *>(QStringLiteral("cmdInstallFolder"))->click();
    QWidget *plan = nullptr;
    QTRY_VERIFY((plan = window.findChild<QWidget *>(QStringLiteral("frmInstallSeries"))) && plan->isVisible());
    QCOMPARE(plan->findChild<QTableWidget *>(QStringLiteral("lstSeriesBooks"))->rowCount(), 8);
    QSignalSpy finished(&window, &frmPhotoManager::workFinished);
    plan->findChild<QPushButton *>(QStringLiteral("cmdInstall"))->click();
    QVERIFY(finished.wait(60000));
    QCOMPARE(dialogs.messages.size(), size_t(1));
    QVERIFY2(dialogs.messages[0].text.startsWith(QLatin1String("8 books installed, with 16 photos.")),
             qPrintable(dialogs.messages[0].text));
    QCOMPARE(books->rowCount(), 8);
    QCOMPARE(books->item(0, 3)->text(), QStringLiteral("local"));

    // Installed again: every book is skipped unless ticked for Replace.
    dialogs.folders.push_back(series);
    window.findChild<QPushButton *>(QStringLiteral("cmdInstallFolder"))->click();
    QTRY_VERIFY((plan = window.findChild<QWidget *>(QStringLiteral("frmInstallSeries"))) && plan->isVisible());
    QVERIFY(plan->findChild<QCheckBox *>(QStringLiteral("chkReplaceImages"))->isVisibleTo(plan));
    plan->findChild<QPushButton *>(QStringLiteral("cmdInstall"))->click();
    QVERIFY(finished.wait(60000));
    QVERIFY2(dialogs.messages.back().text.contains(QLatin1String("8 skipped")),
             qPrintable(dialogs.messages.back().text));

    // Removing asks twice: the book, then its images.
    books->selectRow(0);
    const QString first = books->item(0, 0)->text();
    dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
    window.findChild<QPushButton *>(QStringLiteral("cmdRemove"))->click();
    QCOMPARE(books->rowCount(), 7);
    QVERIFY(!QFileInfo::exists(program + QStringLiteral("/PhotoImages/") + first));
    QVERIFY(QFileInfo::exists(program + QStringLiteral("/PhotoImages/") + books->item(0, 0)->text()));
}

QTEST_MAIN(TestPhotoManagerWindow)
#include "tst_photomanagerwindow.moc"

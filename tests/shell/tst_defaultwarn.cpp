// SPDX-License-Identifier: GPL-3.0-or-later
// The photo-drive warning: its text, its buttons and the answer each way of closing it gives.
#include "shell/ui/frmdefaultwarn.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestDefaultWarn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void label_showsTheLinesWithTheFolderInUpperCase();
    void buttons_haveCaptionsAndTips_data();
    void buttons_haveCaptionsAndTips();
    void ask_returnsTheAnswer_data();
    void ask_returnsTheAnswer();
};

void TestDefaultWarn::cleanup()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
}

void TestDefaultWarn::label_showsTheLinesWithTheFolderInUpperCase()
{
    frmDefaultWarn window(QStringLiteral("/media/cdrom/photoimages/"));
    auto *label = window.findChild<QLabel *>(QStringLiteral("lblWarn"));
    QVERIFY(label);
    const QStringList lines = label->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines.at(0), QStringLiteral("The default drive/folder (/MEDIA/CDROM/PHOTOIMAGES/) that contains the photo "
                                         "images is not accessible."));
    QVERIFY(lines.at(1).isEmpty());
    QCOMPARE(lines.at(2), QStringLiteral("You can take the following actions: "));
    QCOMPARE(lines.at(5), QStringLiteral("     (CD may take a few seconds to become available after insertion.)"));
    QCOMPARE(lines.at(8), QStringLiteral("     for the duration of this application session."));
    bool heading = false;
    for (QLabel *l : window.findChildren<QLabel *>())
        heading = heading || l->text() == QLatin1String("WARNING");
    QVERIFY(heading);
}

void TestDefaultWarn::buttons_haveCaptionsAndTips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tip");
    QTest::newRow("retry") << "cmdRetry"
                           << "Retry"
                           << "Insert CD and try again";
    QTest::newRow("manage") << "cmdManagePhotos"
                            << "Manage Photo Series"
                            << "Change the Default Drive/Folder";
    QTest::newRow("local") << "cmdSearchLocal"
                           << "Search Local Only"
                           << "Look only in the the local \\PhotoImages folder";
}

void TestDefaultWarn::buttons_haveCaptionsAndTips()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, tip);
    frmDefaultWarn window(QStringLiteral("x"));
    auto *button = window.findChild<QPushButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), tip);
}

void TestDefaultWarn::ask_returnsTheAnswer_data()
{
    QTest::addColumn<QString>("action"); // a button name, "escape" or "close"
    QTest::addColumn<int>("answer");
    QTest::newRow("retry") << "cmdRetry" << 1;
    QTest::newRow("manage photo series") << "cmdManagePhotos" << 2;
    QTest::newRow("search local only") << "cmdSearchLocal" << 3;
    QTest::newRow("escape: no answer") << "escape" << 0;
    QTest::newRow("close box: no answer") << "close" << 0;
}

void TestDefaultWarn::ask_returnsTheAnswer()
{
    QFETCH(QString, action);
    QFETCH(int, answer);
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *window = qobject_cast<frmDefaultWarn *>(QApplication::activeModalWidget());
        if (!window)
            return;
        seen = true;
        if (action == QLatin1String("escape"))
            QTest::keyClick(window, Qt::Key_Escape);
        else if (action == QLatin1String("close"))
            window->close();
        else
            window->findChild<QPushButton *>(action)->click();
    });
    QCOMPARE(frmDefaultWarn::ask(QStringLiteral("/media/cdrom/photoimages/")), answer);
    QVERIFY(seen);
}

QTEST_MAIN(TestDefaultWarn)
#include "tst_defaultwarn.moc"

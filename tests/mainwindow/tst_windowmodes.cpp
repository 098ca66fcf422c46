// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's mode transitions as tables, without any window.
#include "mainwindow/windowmodes.h"

#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(PaneView)

namespace
{
// Runs a sequence of commands: C compare, B builder, A the Assistants command; a trailing "v"/"h" after A
// stands for the window becoming visible or hidden, as the real window reports it.
AssistantEffect run(ModeState &s, const QString &commands)
{
    AssistantEffect last;
    for (const QChar c : commands) {
        if (c == QLatin1Char('C'))
            last = Modes::toggleCompare(s);
        else if (c == QLatin1Char('B'))
            last = Modes::toggleBuilder(s);
        else if (c == QLatin1Char('A'))
            last = Modes::toggleAssistant(s);
        // The window follows what the command asked of it.
        if (last.show)
            s.assistantVisible = true;
        if (last.hide)
            s.assistantVisible = false;
    }
    return last;
}
} // namespace

class TestWindowModes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void modes_commandSequences_data();
    void modes_commandSequences();
    void showAssistantPages_eachValue_data();
    void showAssistantPages_eachValue();
    void assistantsCommand_togglesAndPlacesOnShow();
    void buttonSlots_data();
    void buttonSlots();
    void switchPaneView_data();
    void switchPaneView();
    void itemClicked_sameKeyOnlyOnce();
    void windowModes_announcesOnlyChanges();
};

void TestWindowModes::modes_commandSequences_data()
{
    QTest::addColumn<QString>("commands");
    QTest::addColumn<int>("modes");
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<bool>("page0On");
    QTest::addColumn<bool>("page1On");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("placed"); // the last command placed the Assistant
    QTest::addColumn<bool>("visible");

    QTest::newRow("compare on") << "C" << 1 << false << true << false << 0 << true << true;
    QTest::newRow("compare on and off") << "CC" << 0 << false << true << false << 0 << false << false;
    QTest::newRow("builder on") << "B" << 10 << false << false << true << 1 << true << true;
    QTest::newRow("builder, then compare: not moved, both pages, page stays")
        << "BC" << 11 << false << true << true << 1 << false << true;
    QTest::newRow("compare, then builder: not moved, page stays")
        << "CB" << 11 << false << true << true << 0 << false << true;
    QTest::newRow("both, compare off: the builder page again")
        << "BCC" << 10 << false << false << true << 1 << false << true;
    QTest::newRow("both, builder off: dropped") << "CBB" << 1 << true << true << false << 0 << false << true;
    QTest::newRow("dropped, builder on again clears it") << "CBBB" << 11 << false << true << true << 0 << false << true;
    QTest::newRow("everything off hides") << "CBBC" << 0 << true << true << false << 0 << false << false;
    QTest::newRow("hidden by hand, compare on shows and places")
        << "BABC" << 1 << false << true << false << 0 << true << true;
}

void TestWindowModes::modes_commandSequences()
{
    QFETCH(QString, commands);
    QFETCH(int, modes);
    QFETCH(bool, dropped);
    QFETCH(bool, page0On);
    QFETCH(bool, page1On);
    QFETCH(int, page);
    QFETCH(bool, placed);
    QFETCH(bool, visible);
    ModeState s;
    const AssistantEffect last = run(s, commands);
    QCOMPARE(s.AssistantModes, modes);
    QCOMPARE(s.AssistantModeDropped, dropped);
    QCOMPARE(s.assistantPageOn[0], page0On);
    QCOMPARE(s.assistantPageOn[1], page1On);
    QCOMPARE(s.assistantPage, page);
    QCOMPARE(last.place, placed);
    QCOMPARE(s.assistantVisible, visible);
    QCOMPARE(s.compareOn, commands.count(QLatin1Char('C')) % 2 == 1);
    QCOMPARE(s.builderOn, commands.count(QLatin1Char('B')) % 2 == 1);
}

void TestWindowModes::showAssistantPages_eachValue_data()
{
    QTest::addColumn<int>("modes");
    QTest::addColumn<bool>("hide");
    QTest::addColumn<bool>("page0On");
    QTest::addColumn<bool>("page1On");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("droppedAfter"); // starting with the flag set
    QTest::newRow("0 hides") << 0 << true << false << false << 1 << true;
    QTest::newRow("1 compare page") << 1 << false << true << false << 0 << true;
    QTest::newRow("10 builder page, flag cleared") << 10 << false << false << true << 1 << false;
    QTest::newRow("11 both, page stays") << 11 << false << true << true << 1 << true;
    QTest::newRow("other values change nothing") << 5 << false << false << false << 1 << true;
}

void TestWindowModes::showAssistantPages_eachValue()
{
    QFETCH(int, modes);
    QFETCH(bool, hide);
    QFETCH(bool, page0On);
    QFETCH(bool, page1On);
    QFETCH(int, page);
    QFETCH(bool, droppedAfter);
    ModeState s;
    s.AssistantModes = modes;
    s.AssistantModeDropped = true;
    s.assistantPage = 1;
    const AssistantEffect effect = Modes::ShowAssistantPages(s);
    QCOMPARE(effect.hide, hide);
    QVERIFY(!effect.show);
    QCOMPARE(s.assistantPageOn[0], page0On);
    QCOMPARE(s.assistantPageOn[1], page1On);
    QCOMPARE(s.assistantPage, page);
    QCOMPARE(s.AssistantModeDropped, droppedAfter);
}

void TestWindowModes::assistantsCommand_togglesAndPlacesOnShow()
{
    ModeState s;
    s.AssistantModes = 1;
    AssistantEffect e = Modes::toggleAssistant(s);
    QVERIFY(e.show && e.place && !e.hide);
    s.assistantVisible = true;
    e = Modes::toggleAssistant(s);
    QVERIFY(e.hide && !e.show);
    QCOMPARE(s.AssistantModes, 1); // the modes stay as they are
    ModeState none;
    e = Modes::toggleAssistant(none);
    QVERIFY(!e.show && !e.hide && !e.place);
}

void TestWindowModes::buttonSlots_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("compareSlot");
    QTest::addColumn<int>("viewSlot");
    QTest::newRow("0") << 0 << 0 << 0;
    QTest::newRow("1") << 1 << 1 << 0;
    QTest::newRow("2") << 2 << 0 << 1;
    QTest::newRow("3") << 3 << 1 << 1;
    QTest::newRow("4 (browse View)") << 4 << -1 << 0;
    QTest::newRow("5") << 5 << -1 << -1;
    QTest::newRow("-1") << -1 << -1 << -1;
}

void TestWindowModes::buttonSlots()
{
    QFETCH(int, index);
    QFETCH(int, compareSlot);
    QFETCH(int, viewSlot);
    QCOMPARE(Modes::compareButtonSlot(index), compareSlot);
    QCOMPARE(Modes::viewButtonSlot(index), viewSlot);
}

void TestWindowModes::switchPaneView_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("result"); // Modes::PaneSwitch
    QTest::addColumn<int>("target");
    QTest::addColumn<PaneView>("left");
    QTest::addColumn<PaneView>("right");
    QTest::addColumn<PaneView>("browse");
    const int ignored = int(Modes::PaneSwitch::Ignored);
    const int switched = int(Modes::PaneSwitch::Switched);
    const int view = int(Modes::PaneSwitch::OpenViewWindow);
    const PaneView I = PaneView::Image, D = PaneView::Data, G = PaneView::Graph;
    QTest::newRow("browse graph") << "Browse Graph" << 0 << switched << 0 << I << I << G;
    QTest::newRow("browse data") << "Browse Data" << 0 << switched << 0 << I << I << D;
    QTest::newRow("compare data, button 1: right") << "Compare Data" << 1 << switched << 1 << I << D << D;
    QTest::newRow("compare graph, button 2: left") << "Compare Graph" << 2 << switched << 0 << G << I << D;
    QTest::newRow("compare image, button 3: right") << "Compare Image" << 3 << switched << 1 << I << I << D;
    QTest::newRow("compare, no such button") << "Compare Data" << 4 << ignored << 4 << I << I << D;
    QTest::newRow("view left") << "View" << 0 << view << 0 << I << I << D;
    QTest::newRow("view right") << "View" << 1 << view << 1 << I << I << D;
    QTest::newRow("view, no such slot") << "View" << 2 << ignored << 2 << I << I << D;
    QTest::newRow("unknown mode") << "Compare data" << 0 << ignored << 0 << I << I << D;
}

void TestWindowModes::switchPaneView()
{
    QFETCH(QString, mode);
    QFETCH(int, slot);
    QFETCH(int, result);
    QFETCH(int, target);
    QFETCH(PaneView, left);
    QFETCH(PaneView, right);
    QFETCH(PaneView, browse);
    ModeState s;
    int at = slot;
    QCOMPARE(int(Modes::SwitchPaneView(s, mode, &at)), result);
    QCOMPARE(at, target);
    QCOMPARE(s.paneView[0], left);
    QCOMPARE(s.paneView[1], right);
    QCOMPARE(s.browseView, browse);
}

void TestWindowModes::itemClicked_sameKeyOnlyOnce()
{
    ModeState s;
    QVERIFY(Modes::itemClicked(s, QStringLiteral("P1")));
    QVERIFY(!Modes::itemClicked(s, QStringLiteral("P1")));
    QVERIFY(Modes::itemClicked(s, QStringLiteral("P2")));
    QVERIFY(Modes::itemClicked(s, QStringLiteral("P1")));
    QCOMPARE(s.LastItemKey, QStringLiteral("P1"));
}

void TestWindowModes::windowModes_announcesOnlyChanges()
{
    WindowModes modes;
    QSignalSpy spy(&modes, &WindowModes::changed);
    modes.change([](ModeState &s) { s.queryOpen = true; }); // as it was
    QCOMPARE(spy.count(), 0);
    const AssistantEffect effect = modes.change([](ModeState &s) { return Modes::toggleCompare(s); });
    QVERIFY(effect.show);
    QCOMPARE(spy.count(), 1);
    modes.paneSwitchBusy() = true; // the re-entry guard is no change anyone shows
    QCOMPARE(spy.count(), 1);
    modes.paneSwitchBusy() = false;
}

QTEST_GUILESS_MAIN(TestWindowModes)
#include "tst_windowmodes.moc"

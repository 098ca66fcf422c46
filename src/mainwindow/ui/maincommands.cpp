// SPDX-License-Identifier: GPL-3.0-or-later
// The menu tree, the toolbar and the one function that derives their states.
#include "maincommands.h"

#include "mainwindow/ui/buttonbar.h"

#include "mainwindow/windowmodes.h"
#include "shell/ui/programicons.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolButton>

MainCommands::MainCommands(QWidget *parent) : QObject(parent), m_parent(parent)
{
    setObjectName(QStringLiteral("MainCommands"));
    QMenu *file = addMenu(QStringLiteral("mnuFile"), QStringLiteral("&File"));
    mnuPrinterSetup = addItem(file, QStringLiteral("mnuPrinterSetup"), QStringLiteral("Printer &Setup"));
    mnuMP = addItem(file, QStringLiteral("mnuMP"), QStringLiteral("&Manage Photo Series"));
    mnuPhotoFolder = addItem(file, QStringLiteral("mnuPhotoFolder"), QStringLiteral("Photo &Folder..."));
    file->addSeparator()->setObjectName(QStringLiteral("mnubar7"));
    mnuOpenFieldPhoto = addItem(file, QStringLiteral("mnuOpenFieldPhoto"), QStringLiteral("&Open Field Photo..."));
    mnuCloseFieldPhoto = addItem(file, QStringLiteral("mnuCloseFieldPhoto"), QStringLiteral("&Close Field Photo"));
    mnuCloseFieldPhoto->setEnabled(false);
    file->addSeparator()->setObjectName(QStringLiteral("mnubar5"));
    mnuExportResults = addItem(file, QStringLiteral("mnuExportResults"), QStringLiteral("&Export Results..."));
    mnuExportProfile = addItem(file, QStringLiteral("mnuExportProfile"), QStringLiteral("Export Fuel &Profile..."));
    file->addSeparator()->setObjectName(QStringLiteral("mnubar2"));
    mnuExit = addItem(file, QStringLiteral("mnuExit"), QStringLiteral("E&xit"));
    mnuExit->setShortcut(QKeySequence::Quit);

    QMenu *view = addMenu(QStringLiteral("mnuView"), QStringLiteral("&View"));
    mnuListView = addItem(view, QStringLiteral("mnuListView"), QStringLiteral("&List View"));
    mnuIconView = addItem(view, QStringLiteral("mnuIconView"), QStringLiteral("&IconView"));
    view->addSeparator()->setObjectName(QStringLiteral("mnubar1"));
    mnuAssistants = addItem(view, QStringLiteral("mnuAssistants"), QStringLiteral("&Assistants"));
    view->addSeparator()->setObjectName(QStringLiteral("mnubar4"));
    mnuFilter = addItem(view, QStringLiteral("mnuFilter"), QStringLiteral("&Filter Photos"));
    mnuFilter->setShortcut(QKeySequence::Find);
    mnuMetric = addItem(view, QStringLiteral("mnuMetric"), QStringLiteral("&Metric Units"));
    mnuMetric->setCheckable(true);
    mnuSummary = addItem(view, QStringLiteral("mnuSummary"), QStringLiteral("&Summary of Listed Photos..."));
    mnuSummary->setEnabled(false);
    auto *views = new QActionGroup(this);
    for (QAction *a : {mnuListView, mnuIconView}) {
        a->setCheckable(true);
        views->addAction(a);
    }
    mnuListView->setChecked(true);
    mnuAssistants->setCheckable(true);
    mnuAssistants->setEnabled(false);

    QMenu *reports = addMenu(QStringLiteral("mnuReports"), QStringLiteral("&Reports"));
    mnuPrintPhoto = addItem(reports, QStringLiteral("mnuPrintPhoto"), QStringLiteral("Print Selected &Photo/Data"));
    mnuPrintPhoto->setShortcut(QKeySequence::Print);
    mnuPrintComparsion =
        addItem(reports, QStringLiteral("mnuPrintComparsion"), QStringLiteral("Print Photo &Comparison "));
    mnuFuelProfilePrint =
        addItem(reports, QStringLiteral("mnuFuelProfilePrint"), QStringLiteral("Print Current &Fuel Profile"));
    mnuPrintComparsion->setEnabled(false);
    mnuFuelProfilePrint->setEnabled(false);
    reports->addSeparator()->setObjectName(QStringLiteral("mnubar3"));
    mnuPreviewReports = addItem(reports, QStringLiteral("mnuPreviewReports"), QStringLiteral("Pre&view Reports"));
    mnuPreviewReports->setCheckable(true);

    QMenu *tools = addMenu(QStringLiteral("mnuTools"), QStringLiteral("&Tools"));
    mnuQuery = addItem(tools, QStringLiteral("mnuQuery"), QStringLiteral("&Query"));
    mnuCompare = addItem(tools, QStringLiteral("mnuCompare"), QStringLiteral("&Compare Photo Series"));
    mnuProfileBuilder = addItem(tools, QStringLiteral("mnuProfileBuilder"), QStringLiteral("Fuel Profile &Builder"));
    for (QAction *a : {mnuQuery, mnuCompare, mnuProfileBuilder})
        a->setCheckable(true);
    tools->addSeparator()->setObjectName(QStringLiteral("mnubar6"));
    mnuFindSimilar = addItem(tools, QStringLiteral("mnuFindSimilar"), QStringLiteral("Find &Similar Photos"));
    mnuFindSimilar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    mnuMatchValues = addItem(tools, QStringLiteral("mnuMatchValues"), QStringLiteral("&Match Values..."));
    mnuQuery->setChecked(true);

    QMenu *help = addMenu(QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    mnuHelpContents = addItem(help, QStringLiteral("mnuHelpContents"), QStringLiteral("Help &Contents"));
    mnuHelpContents->setShortcut(QKeySequence::HelpContents);
    mnuWeb = addItem(help, QStringLiteral("mnuWeb"), QStringLiteral("&Web Based Support"));
    mnuAbout = addItem(help, QStringLiteral("mnuAbout"), QStringLiteral("&About"));

    keySaveProfile = addKey(QStringLiteral("keySaveProfile"), QStringLiteral("Save Profile"), QKeySequence::Save);
    keyLoadProfile = addKey(QStringLiteral("keyLoadProfile"), QStringLiteral("Load Profile"), QKeySequence::Open);

    createToolbar();
}

// Captions carry their access keys ("&File"); the caption a user reads is the text without the "&".
QMenu *MainCommands::addMenu(const QString &name, const QString &caption)
{
    auto *menu = new QMenu(caption, m_parent);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    m_menus.append(menu);
    return menu;
}

QAction *MainCommands::addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    // The shortcuts work wherever the focus is in the frame, also while a menu bar is not shown.
    action->setShortcutContext(Qt::ApplicationShortcut);
    m_parent->addAction(action);
    return action;
}

QAction *MainCommands::addKey(const QString &name, const QString &caption, QKeySequence::StandardKey key)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::ApplicationShortcut);
    m_parent->addAction(action);
    return action;
}

QMenu *MainCommands::menu(const QString &name) const
{
    for (QMenu *m : m_menus) {
        if (m->objectName() == name)
            return m;
    }
    return nullptr;
}

void MainCommands::createToolbar()
{
    m_toolbar = new ButtonBar(m_parent);
    m_toolbar->setObjectName(QStringLiteral("barMain"));
    struct Button {
        const char *key;
        const char *image; // the picture named after the button
        QAction *action;
        const char *tip;
    };
    const Button buttons[] = {
        {"Query", "Query", mnuQuery, "Close Query Window"},
        {"Compare", "Compare", mnuCompare, "Open Compare Mode"},
        {"Builder", "Builder", mnuProfileBuilder, "Open Builder Mode"},
        {"Assistant", "Assistant", mnuAssistants, "Hide Assistant"},
        {nullptr, nullptr, nullptr, nullptr},
        {"Icon", "IconView", mnuIconView, "View Photos as Icons"},
        {"List", "listview", mnuListView, "View Photos as List"},
        {nullptr, nullptr, nullptr, nullptr},
        {"Exit", "Exit", mnuExit, "Exit Fenwyx"},
        {nullptr, nullptr, nullptr, nullptr},
        {"Help", "Help", mnuHelpContents, "Press here for Help"},
    };
    for (const Button &b : buttons) {
        if (!b.key) {
            m_toolbar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        b.action->setIcon(programIcon(QString::fromLatin1(b.image)));
        // A menu shows a checked item that has a picture only by a faint frame round it; without the picture the
        // menu draws its tick (or its radio mark). The button keeps the picture and shows the state pressed.
        if (b.action->isCheckable())
            b.action->setIconVisibleInMenu(false);
        b.action->setToolTip(QString::fromLatin1(b.tip));
        m_toolbar->addButton(b.action, key);
    }
}

void MainCommands::updateActionStates(const ModeState &modes, const PhotoSlots &photoSlots)
{
    mnuQuery->setChecked(modes.queryOpen);
    mnuCompare->setChecked(modes.compareOn);
    mnuProfileBuilder->setChecked(modes.builderOn);
    mnuListView->setChecked(modes.resultsView == 3);
    mnuIconView->setChecked(modes.resultsView == 2);

    // The Assistant's tick, button and tooltip follow the window as it really is.
    const bool assistantAvailable = modes.AssistantModes != 0;
    mnuAssistants->setEnabled(assistantAvailable);
    mnuAssistants->setChecked(assistantAvailable && modes.assistantVisible);
    mnuAssistants->setToolTip(assistantAvailable && !modes.assistantVisible ? QStringLiteral("Display Assistant")
                                                                            : QStringLiteral("Hide Assistant"));

    mnuPrintComparsion->setEnabled(photoSlots.canPrintComparison());
    mnuMetric->setChecked(modes.units == Units::Metric);
    mnuFuelProfilePrint->setEnabled(modes.fuelProfilePrintEnabled);
    mnuFindSimilar->setEnabled(photoSlots.SlotHasPhoto(photoSlots.CurrentSlot));
    mnuCloseFieldPhoto->setEnabled(photoSlots.states[0].isFieldPhoto());
}

void MainCommands::updateListCommands(int listedRows)
{
    mnuSummary->setEnabled(listedRows > 0);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands: one action each, shared by the menus and the toolbar, with every enabled,
// checked and pressed state derived in one place from the program's state.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class PhotoSlots;
class QAction;
class QMenu;
class ButtonBar;
class QWidget;
struct ModeState;

class MainCommands : public QObject
{
    Q_OBJECT
public:
    // The menus and the toolbar are made with parent as their owner.
    explicit MainCommands(QWidget *parent);

    QAction *mnuPrinterSetup;
    QAction *mnuMP;
    QAction *mnuPhotoFolder;
    QAction *mnuOpenFieldPhoto;
    QAction *mnuCloseFieldPhoto;
    QAction *mnuExportResults;
    QAction *mnuExportProfile;
    QAction *mnuExit;
    QAction *mnuListView;
    QAction *mnuIconView;
    QAction *mnuAssistants;
    QAction *mnuFilter;
    QAction *mnuMetric;
    QAction *mnuSummary;
    QAction *mnuPrintPhoto;
    QAction *mnuPrintComparsion;
    QAction *mnuFuelProfilePrint;
    QAction *mnuPreviewReports;
    QAction *mnuQuery;
    QAction *mnuCompare;
    QAction *mnuProfileBuilder;
    QAction *mnuFindSimilar;
    QAction *mnuMatchValues;
    QAction *mnuHelpContents;
    QAction *mnuWeb;
    QAction *mnuAbout;
    // Ctrl+S and Ctrl+O: the Assistant's Save Profile and Load Profile from anywhere in the program.
    QAction *keySaveProfile;
    QAction *keyLoadProfile;

    QList<QMenu *> menus() const { return m_menus; }
    QMenu *menu(const QString &name) const;
    // barMain: eleven buttons showing the actions above.
    ButtonBar *toolbar() const { return m_toolbar; }

    // Every action's enabled and checked state and the toolbar tooltips, from the modes and the photoSlots.
    void updateActionStates(const ModeState &modes, const PhotoSlots &photoSlots);
    // The states of the commands that work on the listed photos, from the number of rows the list shows.
    void updateListCommands(int listedRows);

private:
    QMenu *addMenu(const QString &name, const QString &caption);
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption);
    // A command of a key alone, in no menu.
    QAction *addKey(const QString &name, const QString &caption, QKeySequence::StandardKey key);
    void createToolbar();

    QWidget *m_parent;
    QList<QMenu *> m_menus;
    ButtonBar *m_toolbar = nullptr;
};

// SPDX-License-Identifier: GPL-3.0-or-later
// The photo panes of the main window: the slot tabs, the two panes and the compare rows under them.
#pragma once

#include "present/photoslots.h"

#include <QWidget>
#include <array>

class CompareButtonRow;
class PhotoPane;
class QTabBar;
struct ShownPhoto;

// How the panes are laid out and what each shows, as the main window's modes say.
struct PaneLayout {
    bool compare = false;
    int currentSlot = 0;
    std::array<PaneView, 2> view{PaneView::Image, PaneView::Image}; // compare layout, per slot
    PaneView browseView = PaneView::Data; // single layout: slot 0's sheet or graph in the right pane
};

class PhotoPanes : public QWidget
{
    Q_OBJECT
public:
    explicit PhotoPanes(QWidget *parent = nullptr);

    PhotoPane *pane(int slot) const { return m_panes[size_t(slot == 1 ? 1 : 0)]; }
    QTabBar *tabControl() const { return m_tabs; }

    void applyLayout(const PaneLayout &layout);
    // One slot's photo: its label line, picture or message, data sheet and graph.
    void showPhoto(int slot, const ShownPhoto &shown);
    // A slot's data sheet and graph drawn again (in other units), its picture left as it is.
    void showSheet(int slot, const DataSheet &sheet);
    // Empties a slot's controls and shows a message in its pane.
    void clearSlot(int slot, const QString &message);
    // "Retrieving Image..." over the slot's picture, drawn at once.
    void showRetrieving(int slot);
    // Puts the grid's current cell back to the first row and column.
    void resetGrid(int slot);
    // The size a picture of the slot is decoded at.
    QSize pictureSize(int slot) const;
    // Fits the photos into their panes (after a resize, or the query pane opening or closing).
    void vsePane_RealignFrame();

Q_SIGNALS:
    // A click into a pane, its picture, its message, its label line or its grid.
    void paneClicked(int slot);
    // "Find Similar Photos" from a pane's context menu.
    void findSimilarRequested(int slot);
    // The user chose a slot tab.
    void tabChosen(int slot);
    void compareClicked(PaneView view, int index);
    void viewClicked(int index);

private:
    void showPaneControls();

    std::array<PhotoPane *, 2> m_panes{};
    std::array<CompareButtonRow *, 2> m_rows{};
    QTabBar *m_tabs = nullptr;
    QWidget *m_controls = nullptr; // vseControl_1
    PaneLayout m_layout;
    bool m_settingTab = false;
};

// SPDX-License-Identifier: GPL-3.0-or-later
// The compare button rows (Data, Graph, View, Image for one slot) and the browse buttons.
#pragma once

#include "present/photoslots.h"

#include <QWidget>
#include <array>

class QPushButton;

// One row vseCompareButtons_<row>: its Data, Graph and Image buttons act on its slot, its View button opens the
// view window for it.
class CompareButtonRow : public QWidget
{
    Q_OBJECT
public:
    CompareButtonRow(int row, QWidget *parent = nullptr);

    int row() const { return m_row; }
    int slot() const;
    QPushButton *button(PaneView view) const { return m_views[size_t(view)]; }
    QPushButton *viewButton() const { return m_view; }
    // The button of the shown view pressed and disabled, the other two up and enabled.
    void showView(PaneView view);

Q_SIGNALS:
    void compareClicked(PaneView view, int index);
    void viewClicked(int index);

private:
    int m_row;
    std::array<QPushButton *, 3> m_views{};
    QPushButton *m_view = nullptr;
};

// vseBrowseControl: the browse buttons Data, Graph and View of the single layout, and in the compare layout
// the button group vseControl_0 (rows 0 and 1).
class BrowseButtons : public QWidget
{
    Q_OBJECT
public:
    explicit BrowseButtons(QWidget *parent = nullptr);

    QPushButton *vseBrowseData() const { return m_data; }
    QPushButton *vseBrowseGraph() const { return m_graph; }
    QPushButton *vseView4() const { return m_view; }
    // Browse buttons in the single layout (a two-way switch), the compare rows in the compare layout.
    void applyLayout(bool compare, PaneView browseView, const std::array<PaneView, 2> &views);

Q_SIGNALS:
    void browseClicked(PaneView view);
    void compareClicked(PaneView view, int index);
    void viewClicked(int index);

private:
    QWidget *m_browse = nullptr;
    QWidget *m_compare = nullptr;
    QPushButton *m_data = nullptr;
    QPushButton *m_graph = nullptr;
    QPushButton *m_view = nullptr;
    std::array<CompareButtonRow *, 2> m_rows{};
};

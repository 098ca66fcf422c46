// SPDX-License-Identifier: GPL-3.0-or-later
// Laying the photo panes out for the single and the compare layout, and filling a slot's controls.
#include "photopanes.h"

#include "platform/scopeguards.h"
#include "platform/ui/twips.h"
#include "present/datasheetmodel.h"
#include "present/photodisplay.h"
#include "present/ui/comparebuttons.h"
#include "present/ui/loadinggraph.h"
#include "present/ui/photopane.h"
#include "present/ui/picturebox.h"

#include <QBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTableView>

PhotoPanes::PhotoPanes(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("vseTab"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tabControl"));
    m_tabs->setAccessibleName(QStringLiteral("Photo slot"));
    m_tabs->addTab(QStringLiteral("<"));
    m_tabs->addTab(QStringLiteral(">"));
    m_tabs->addTab(QString());
    m_tabs->setTabToolTip(0, QStringLiteral("The next photo goes to the left pane"));
    m_tabs->setTabToolTip(1, QStringLiteral("The next photo goes to the right pane"));
    m_tabs->setTabEnabled(2, false);
    m_tabs->setExpanding(false);
    column->addWidget(m_tabs);

    auto *panes = new QHBoxLayout;
    panes->setSpacing(2);
    for (int s = 0; s < 2; ++s) {
        auto *pane = new PhotoPane(s, this);
        m_panes[size_t(s)] = pane;
        panes->addWidget(pane, 1);
        connect(pane, &PhotoPane::clicked, this, &PhotoPanes::paneClicked);
        pane->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(pane, &QWidget::customContextMenuRequested, this, [this, pane, s](const QPoint &at) {
            QMenu menu(this);
            menu.addAction(QStringLiteral("Find Similar Photos"), this, [this, s] { Q_EMIT findSimilarRequested(s); });
            menu.exec(pane->mapToGlobal(at));
        });
        connect(pane, &PhotoPane::resized, this, &PhotoPanes::vsePane_RealignFrame);
    }
    column->addLayout(panes, 1);

    // vseControl_1: row 2 under the left pane, row 3 under the right one.
    auto *control = m_controls = new QWidget(this);
    control->setObjectName(QStringLiteral("vseControl_1"));
    auto *rows = new QHBoxLayout(control);
    rows->setContentsMargins(0, 2, 0, 0);
    m_rows = {new CompareButtonRow(2, control), new CompareButtonRow(3, control)};
    for (CompareButtonRow *row : m_rows) {
        rows->addWidget(row, 1, Qt::AlignLeft);
        connect(row, &CompareButtonRow::compareClicked, this, &PhotoPanes::compareClicked);
        connect(row, &CompareButtonRow::viewClicked, this, &PhotoPanes::viewClicked);
    }
    column->addWidget(control);

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_settingTab && (index == 0 || index == 1))
            Q_EMIT tabChosen(index);
    });
    m_layout.compare = true; // so that the first layout moves the controls into place
    applyLayout(PaneLayout{});
}

void PhotoPanes::applyLayout(const PaneLayout &layout)
{
    const bool layoutChanged = layout.compare != m_layout.compare;
    m_layout = layout;
    PhotoPane *left = pane(0);
    PhotoPane *right = pane(1);
    if (layoutChanged) {
        // The single layout shows the left photo's sheet or graph in the right pane.
        QWidget *holder = layout.compare ? left : right;
        left->grdselect()->setParent(holder);
        left->chtTotal()->setParent(holder);
    }
    {
        const BusyFlag silent(m_settingTab);
        m_tabs->setEnabled(layout.compare);
        m_tabs->setCurrentIndex(layout.compare ? layout.currentSlot : 2);
    }
    for (int s = 0; s < 2; ++s)
        pane(s)->setActive(layout.compare && layout.currentSlot == s);
    for (CompareButtonRow *row : m_rows)
        row->showView(layout.view[size_t(row->slot())]);
    m_controls->setVisible(layout.compare);
    showPaneControls();
    if (layoutChanged)
        vsePane_RealignFrame();
}

void PhotoPanes::showPaneControls()
{
    const bool compare = m_layout.compare;
    for (int s = 0; s < 2; ++s) {
        PhotoPane *p = pane(s);
        const bool paneInUse = compare || s == 0;
        const PaneView view = compare ? m_layout.view[size_t(s)] : PaneView::Image;
        p->lblSelectedPhoto()->setVisible(paneInUse);
        p->picPreviewPhoto()->setVisible(paneInUse && view == PaneView::Image);
        p->lblNoPic()->setVisible(paneInUse && view == PaneView::Image && !p->lblNoPic()->text().isEmpty());
        if (compare) {
            p->grdselect()->setVisible(view == PaneView::Data);
            p->chtTotal()->setVisible(view == PaneView::Graph);
        } else if (s == 0) {
            p->grdselect()->setVisible(m_layout.browseView == PaneView::Data);
            p->chtTotal()->setVisible(m_layout.browseView == PaneView::Graph);
        } else {
            p->grdselect()->hide();
            p->chtTotal()->hide();
        }
        p->grdselect()->raise();
        p->chtTotal()->raise();
    }
}

void PhotoPanes::showPhoto(int slot, const ShownPhoto &shown)
{
    PhotoPane *target = pane(slot);
    target->lblSelectedPhoto()->setText(shown.slot.label);
    if (shown.picture.isNull())
        target->picPreviewPhoto()->clear();
    else
        target->picPreviewPhoto()->setPicture(shown.picture, shown.path);
    target->showNoPicMessage(shown.message);
    showSheet(slot, shown.slot.sheet);
    // The right picture always takes the left one's place within its pane.
    if (slot == 1)
        pane(1)->picPreviewPhoto()->setGeometry(pane(0)->picPreviewPhoto()->geometry());
    showPaneControls();
}

void PhotoPanes::showSheet(int slot, const DataSheet &sheet)
{
    PhotoPane *target = pane(slot);
    target->sheetModel()->setSheet(sheet);
    target->fitGrid(m_layout.compare);
    target->chtTotal()->DrawLoadingGraph(sheet);
}

void PhotoPanes::clearSlot(int slot, const QString &message)
{
    PhotoPane *target = pane(slot);
    target->lblSelectedPhoto()->clear();
    target->picPreviewPhoto()->clear();
    target->sheetModel()->setSheet(DataSheet{});
    target->chtTotal()->clearGraph();
    target->showNoPicMessage(message);
    showPaneControls();
}

void PhotoPanes::showRetrieving(int slot)
{
    PhotoPane *target = pane(slot);
    target->picPreviewPhoto()->clear();
    target->showNoPicMessage(QStringLiteral("Retrieving Image..."));
    // Drawn at once, without letting input events in.
    target->lblNoPic()->repaint();
}

void PhotoPanes::resetGrid(int slot)
{
    pane(slot)->grdselect()->setCurrentIndex(QModelIndex());
}

QSize PhotoPanes::pictureSize(int slot) const
{
    return pane(slot)->picPreviewPhoto()->decodeSize();
}

void PhotoPanes::vsePane_RealignFrame()
{
    for (int i = 0; i < 2; ++i) {
        if (i == 1 && !m_layout.compare)
            continue;
        PhotoPane *p = pane(i);
        const QRect room = p->pictureRoom();
        p->picPreviewPhoto()->setGeometry(room);
        p->lblNoPic()->setGeometry(room);
        // The graph takes the picture's place in whichever pane holds it.
        LoadingGraph *chart = p->chtTotal();
        const auto *holder = qobject_cast<const PhotoPane *>(chart->parentWidget());
        chart->setGeometry(holder ? holder->pictureRoom() : room);
    }
    for (int s = 0; s < 2; ++s)
        pane(s)->fitGrid(m_layout.compare);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The compare button rows and the browse buttons.
#include "comparebuttons.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace
{

// Row r: the index its buttons carry in their control arrays, and the slot they act on.
struct RowDesign {
    int index; // of vseCompareData, vseCompareGraph, vseCompareImage
    int viewIndex;
    int slot;
};
constexpr RowDesign kRows[4] = {{1, 2, 1}, {0, 1, 0}, {2, 0, 0}, {3, 3, 1}};

QString side(int slot)
{
    return slot == 0 ? QStringLiteral("left") : QStringLiteral("right");
}

QPushButton *makeButton(const QString &name, const QString &caption, const QString &tip, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CompareButtonRow::CompareButtonRow(int row, QWidget *parent) : QWidget(parent), m_row(row)
{
    const RowDesign design = kRows[row];
    setObjectName(QStringLiteral("vseCompareButtons_") + QString::number(row));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *caption = new QLabel(design.slot == 0 ? QStringLiteral("Left:") : QStringLiteral("Right:"), this);
    layout->addWidget(caption);
    const QString index = QStringLiteral("_") + QString::number(design.index);
    // Each tooltip names the side of the photo the button acts on.
    const QString where = side(design.slot);
    m_views[size_t(PaneView::Data)] = makeButton(QStringLiteral("vseCompareData") + index, QStringLiteral("Data"),
                                                 QStringLiteral("View %1 data grid").arg(where), this);
    m_views[size_t(PaneView::Graph)] = makeButton(QStringLiteral("vseCompareGraph") + index, QStringLiteral("Graph"),
                                                  QStringLiteral("View %1 loading graph").arg(where), this);
    m_view = makeButton(QStringLiteral("vseView_") + QString::number(design.viewIndex), QStringLiteral("View"),
                        QStringLiteral("View %1 full size image").arg(where), this);
    m_views[size_t(PaneView::Image)] = makeButton(QStringLiteral("vseCompareImage") + index, QStringLiteral("Image"),
                                                  QStringLiteral("View %1 photo image").arg(where), this);
    for (PaneView view : {PaneView::Data, PaneView::Graph}) {
        layout->addWidget(button(view));
    }
    layout->addWidget(m_view);
    layout->addWidget(button(PaneView::Image));
    for (PaneView view : {PaneView::Data, PaneView::Graph, PaneView::Image}) {
        QPushButton *b = button(view);
        b->setCheckable(true);
        connect(b, &QPushButton::clicked, this, [this, view, design] { Q_EMIT compareClicked(view, design.index); });
    }
    connect(m_view, &QPushButton::clicked, this, [this, design] { Q_EMIT viewClicked(design.viewIndex); });
    showView(PaneView::Image);
}

int CompareButtonRow::slot() const
{
    return kRows[m_row].slot;
}

void CompareButtonRow::showView(PaneView shown)
{
    for (PaneView view : {PaneView::Data, PaneView::Graph, PaneView::Image}) {
        QPushButton *b = button(view);
        b->setChecked(view == shown);
        b->setEnabled(view != shown);
    }
}

BrowseButtons::BrowseButtons(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("vseBrowseControl"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(2, 2, 2, 2);

    m_browse = new QWidget(this);
    m_browse->setObjectName(QStringLiteral("vseBrowseButtons"));
    auto *browse = new QVBoxLayout(m_browse);
    browse->setContentsMargins(0, 0, 0, 0);
    m_data =
        makeButton(QStringLiteral("vseBrowseData"), QStringLiteral("Data"), QStringLiteral("View data grid"), m_browse);
    m_graph = makeButton(QStringLiteral("vseBrowseGraph"), QStringLiteral("Graph"),
                         QStringLiteral("View loading graph"), m_browse);
    m_view = makeButton(QStringLiteral("vseView_4"), QStringLiteral("View"), QStringLiteral("View full size image"),
                        m_browse);
    m_data->setProperty("tag", QStringLiteral("Browse Data"));
    m_graph->setProperty("tag", QStringLiteral("Browse Graph"));
    m_view->setProperty("tag", QStringLiteral("View"));
    for (QPushButton *b : {m_data, m_graph}) {
        b->setCheckable(true);
        browse->addWidget(b);
    }
    browse->addWidget(m_view);
    browse->addStretch(1);
    outer->addWidget(m_browse);

    m_compare = new QWidget(this);
    m_compare->setObjectName(QStringLiteral("vseControl_0"));
    auto *compare = new QVBoxLayout(m_compare);
    compare->setContentsMargins(0, 0, 0, 0);
    // Row 1 acts on the left photo, row 0 on the right one: shown in that order.
    m_rows = {new CompareButtonRow(0, m_compare), new CompareButtonRow(1, m_compare)};
    compare->addWidget(m_rows[1]);
    compare->addWidget(m_rows[0]);
    compare->addStretch(1);
    outer->addWidget(m_compare);
    m_compare->hide();

    connect(m_data, &QPushButton::clicked, this, [this] { Q_EMIT browseClicked(PaneView::Data); });
    connect(m_graph, &QPushButton::clicked, this, [this] { Q_EMIT browseClicked(PaneView::Graph); });
    connect(m_view, &QPushButton::clicked, this, [this] { Q_EMIT viewClicked(4); });
    for (CompareButtonRow *row : m_rows) {
        connect(row, &CompareButtonRow::compareClicked, this, &BrowseButtons::compareClicked);
        connect(row, &CompareButtonRow::viewClicked, this, &BrowseButtons::viewClicked);
    }
    applyLayout(false, PaneView::Data, {PaneView::Image, PaneView::Image});
}

void BrowseButtons::applyLayout(bool compare, PaneView browseView, const std::array<PaneView, 2> &views)
{
    m_browse->setVisible(!compare);
    m_compare->setVisible(compare);
    // A two-way switch: the button of the current view cannot be pressed again.
    m_data->setChecked(browseView == PaneView::Data);
    m_data->setEnabled(browseView != PaneView::Data);
    m_graph->setChecked(browseView == PaneView::Graph);
    m_graph->setEnabled(browseView != PaneView::Graph);
    for (CompareButtonRow *row : m_rows)
        row->showView(views[size_t(row->slot())]);
}

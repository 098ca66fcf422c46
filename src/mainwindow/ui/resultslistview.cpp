// SPDX-License-Identifier: GPL-3.0-or-later
// The results list's two views share one model and one selection.
#include "resultslistview.h"

#include "data/resultsmodel.h"
#include "present/textadvances.h"
#include "present/ui/textcelldelegate.h"
#include "present/ui/thumbnaildelegate.h"

#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

ResultsListView::ResultsListView(ResultsModel *model, QWidget *parent)
    : QWidget(parent), m_model(model), m_stack(new QStackedWidget(this)), m_table(new QTableView(m_stack)),
      m_icons(new QListView(m_stack))
{
    setObjectName(QStringLiteral("lstPhotos"));
    m_table->setObjectName(QStringLiteral("lstPhotos_table"));
    m_icons->setObjectName(QStringLiteral("lstPhotos_icons"));
    m_table->setAccessibleName(QStringLiteral("Photos found"));
    m_icons->setAccessibleName(QStringLiteral("Photos found, as icons"));

    m_table->setModel(model);
    m_table->setItemDelegate(new TextCellDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_table->horizontalHeader()->setSortIndicatorShown(false);
    m_table->horizontalHeader()->setHighlightSections(false);

    m_icons->setModel(model);
    m_icons->setSelectionModel(m_table->selectionModel());
    m_icons->setViewMode(QListView::IconMode);
    m_icons->setUniformItemSizes(true);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setMovement(QListView::Static);
    m_icons->setWrapping(true);
    m_icons->setIconSize(QSize(32, 32));
    m_icons->setGridSize(QSize(110, 64));
    m_icons->setWordWrap(true);
    m_icons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_icons->setSelectionMode(QAbstractItemView::SingleSelection);
    m_plainIcons = m_icons->itemDelegate();

    m_stack->addWidget(m_table);
    m_stack->addWidget(m_icons);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);

    applyColumnLayout();
    connect(model, &QAbstractItemModel::modelReset, this, &ResultsListView::applyColumnLayout);
    // However the list was sorted (a header click, a remembered order), the header shows it.
    connect(model, &ResultsModel::sortChanged, this, [this](int column, Qt::SortOrder order) {
        m_table->horizontalHeader()->setSortIndicatorShown(true);
        m_table->horizontalHeader()->setSortIndicator(column, order);
    });
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_model->columnClicked(column);
        const QModelIndex current = m_table->currentIndex();
        if (current.isValid())
            m_table->scrollTo(current);
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_selecting && current.isValid())
                    Q_EMIT itemClicked(current.row());
            });
    // A click on the row that is already current is still a click.
    auto clicked = [this](const QModelIndex &index) {
        if (index.isValid())
            Q_EMIT itemClicked(index.row());
    };
    connect(m_table, &QAbstractItemView::clicked, this, clicked);
    connect(m_icons, &QAbstractItemView::clicked, this, clicked);
    for (QAbstractItemView *view :
         {static_cast<QAbstractItemView *>(m_table), static_cast<QAbstractItemView *>(m_icons)}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint &at) {
            const QModelIndex index = view->indexAt(at);
            if (!index.isValid())
                return;
            QMenu menu(this);
            const int row = index.row();
            menu.addAction(QStringLiteral("Find Similar Photos"), this,
                           [this, row] { Q_EMIT findSimilarRequested(row); });
            menu.exec(view->viewport()->mapToGlobal(at));
        });
    }
}

void ResultsListView::setThumbnails(ThumbnailCache *cache,
                                    std::function<std::optional<ThumbnailSource>(const PhotoRecord &)> sourceOf)
{
    if (m_thumbnails) {
        m_icons->setItemDelegate(m_plainIcons);
        delete m_thumbnails;
        m_thumbnails = nullptr;
    }
    if (!cache || !sourceOf) {
        m_icons->setIconSize(QSize(32, 32));
        m_icons->setGridSize(QSize(110, 64));
        return;
    }
    // The model's own row mapping gives the photo of a shown row.
    const ResultsModel *model = m_model;
    m_thumbnails = new ThumbnailDelegate(m_icons, cache,
                                         [model, sourceOf](const QModelIndex &index) -> std::optional<ThumbnailSource> {
                                             const PhotoRecord *photo = model->photoAt(index.row());
                                             return photo ? sourceOf(*photo) : std::nullopt;
                                         });
    m_icons->setItemDelegate(m_thumbnails);
    connect(m_model, &QAbstractItemModel::modelReset, m_thumbnails, &ThumbnailDelegate::refresh);
    // The cache makes thumbnails in pixels of the screen; the icons are laid out in the window's units.
    const QSize icon = (QSizeF(cache->thumbnailSize()) / devicePixelRatioF()).toSize();
    m_icons->setIconSize(icon);
    const int line = fontMetrics().lineSpacing();
    m_icons->setGridSize(QSize(qMax(110, icon.width() + 24), icon.height() + 2 * line + 14));
}

void ResultsListView::applyColumnLayout()
{
    // The design's widths are in twips for a small system font; never narrower than what the
    // header and the visible texts need in the font in use.
    const double pixelsPerTwip = logicalDpiX() / 1440.0 * qMax(1.0, fontMetrics().averageCharWidth() / 6.0);
    const QFontMetrics headerMetrics(m_table->horizontalHeader()->font());
    TextAdvances cells(font());
    for (int c = 0; c < ResultsModel::ColumnCount; ++c) {
        m_table->setColumnHidden(c, ResultsModel::isHidden(c));
        if (ResultsModel::isHidden(c))
            continue;
        const int design = int(ResultsModel::widthTwips(c) * pixelsPerTwip + 0.5);
        const int header = headerMetrics.horizontalAdvance(m_model->headerData(c, Qt::Horizontal).toString()) + 24;
        int content = 0; // the first rows are a fair sample and keep filling fast
        for (int row = 0; row < qMin(m_model->rowCount(), 40); ++row)
            content = qMax(content, cells.width(m_model->index(row, c).data().toString()) + 14);
        if (c == ResultsModel::BookPhotoId)
            content += m_table->iconSize().width() > 0 ? m_table->iconSize().width() : 16;
        m_table->setColumnWidth(c, qMax(design, qMax(header, qMin(content, 600))));
    }
    // A ranking's distances come right after the photo they belong to.
    if (m_model->showsRanking()) {
        QHeaderView *header = m_table->horizontalHeader();
        header->moveSection(header->visualIndex(ResultsModel::Match), 1);
        m_table->setColumnWidth(
            ResultsModel::Match,
            headerMetrics.horizontalAdvance(m_model->headerData(ResultsModel::Match, Qt::Horizontal).toString()) +
                cells.width(QStringLiteral("000.000")) + 24);
    }
    m_table->horizontalHeader()->setSortIndicatorShown(false);
}

void ResultsListView::setView(int view)
{
    if (view != IconView && view != ReportView)
        return;
    m_view = view;
    m_stack->setCurrentWidget(view == IconView ? static_cast<QWidget *>(m_icons) : m_table);
}

int ResultsListView::currentRow() const
{
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void ResultsListView::selectRow(int row)
{
    const QModelIndex index = m_model->index(row, 0);
    if (!index.isValid())
        return;
    m_selecting = true;
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_selecting = false;
    m_table->scrollTo(index);
    m_icons->scrollTo(index);
}

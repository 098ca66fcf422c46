// SPDX-License-Identifier: GPL-3.0-or-later
// Painting an icon view's items with thumbnails from a ThumbnailCache.
#include "thumbnaildelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QScrollBar>

namespace
{
// About 900 thumbnails of 96 x 72: many screens of the icon view, a small part of a large photo set.
constexpr int kShownKiB = 24 * 1024;
} // namespace

ThumbnailDelegate::ThumbnailDelegate(QAbstractItemView *view, ThumbnailCache *cache, SourceOf sourceOf)
    : QStyledItemDelegate(view), m_view(view), m_cache(cache), m_sourceOf(std::move(sourceOf)), m_shown(kShownKiB)
{
    if (m_cache)
        connect(m_cache, &ThumbnailCache::thumbnailReady, this, &ThumbnailDelegate::thumbnailReady);
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, &ThumbnailDelegate::scrolled);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ThumbnailDelegate::scrolled);
}

ThumbnailDelegate::~ThumbnailDelegate()
{
    if (m_cache && !m_pending.isEmpty())
        m_cache->cancelPending();
}

void ThumbnailDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    // The whole thumbnail's room, the generic icon in its middle: the label does not move when a thumbnail comes.
    item.decorationSize = option.decorationSize;
    QPixmap thumbnail;
    if (const std::optional<ThumbnailSource> source = m_sourceOf ? m_sourceOf(index) : std::nullopt) {
        const Shown *shown = m_shown.object(source->id);
        if (shown)
            thumbnail = shown->pixmap;
        if (!shown || shown->generation != m_generation)
            ask(*source, index);
    }
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    if (thumbnail.isNull()) {
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        return;
    }
    // Drawn here rather than as an icon: an icon copies each picture it draws into the application's pixmap
    // cache, whose upkeep then takes whole frames once thousands of thumbnails have passed by.
    item.icon = QIcon();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &item, widget);
    const QSize size = thumbnail.deviceIndependentSize().toSize().boundedTo(room.size());
    const QRect target = QStyle::alignedRect(item.direction, Qt::AlignCenter, size, room);
    painter->drawPixmap(target, thumbnail);
    if (item.state & QStyle::State_Selected) {
        QColor tint = item.palette.color(QPalette::Highlight);
        tint.setAlpha(96);
        painter->fillRect(target, tint);
    }
}

QSize ThumbnailDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // Every item is laid out for a whole thumbnail, also while it shows the smaller generic icon.
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    item.decorationSize = option.decorationSize;
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    return style->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), widget);
}

void ThumbnailDelegate::ask(const ThumbnailSource &source, const QModelIndex &index) const
{
    if (!m_cache)
        return;
    auto pending = m_pending.find(source.id);
    if (pending == m_pending.end()) {
        m_pending.insert(source.id, {QPersistentModelIndex(index)});
        // The answer carries the refresh it was asked in.
        m_cache->request({QString::number(m_generation) + QLatin1Char('\n') + source.id, source.locate});
        return;
    }
    // Two photos may show one picture.
    if (!pending->contains(index))
        pending->append(QPersistentModelIndex(index));
}

void ThumbnailDelegate::refresh()
{
    ++m_generation;
    if (m_cache && !m_pending.isEmpty())
        m_cache->cancelPending();
    m_pending.clear();
}

std::optional<QPixmap> ThumbnailDelegate::thumbnailShown(const QModelIndex &index) const
{
    const std::optional<ThumbnailSource> source = m_sourceOf ? m_sourceOf(index) : std::nullopt;
    const Shown *shown = source ? m_shown.object(source->id) : nullptr;
    if (!shown || shown->pixmap.isNull())
        return std::nullopt;
    return shown->pixmap;
}

void ThumbnailDelegate::thumbnailReady(const QString &tag, const QImage &image)
{
    const int split = tag.indexOf(QLatin1Char('\n'));
    bool numeric = false;
    const int generation = tag.left(split).toInt(&numeric);
    if (split < 0 || !numeric)
        return; // another user's request
    const QString id = tag.mid(split + 1);
    // An answer from before a refresh may show an old picture: shown only until the new answer comes.
    const bool current = generation == m_generation;
    if (!current && m_shown.contains(id))
        return;
    const QList<QPersistentModelIndex> waiting = current ? m_pending.take(id) : QList<QPersistentModelIndex>();
    auto shown = std::make_unique<Shown>();
    if (!image.isNull()) {
        shown->pixmap = QPixmap::fromImage(image);
        shown->pixmap.setDevicePixelRatio(m_view->devicePixelRatioF());
    }
    shown->generation = current ? m_generation : -1;
    const int cost = qMax(1, int(image.sizeInBytes() / 1024));
    m_shown.insert(id, shown.release(), cost);
    for (const QPersistentModelIndex &index : waiting) {
        if (index.isValid())
            m_view->update(index);
    }
}

void ThumbnailDelegate::scrolled()
{
    if (m_pending.isEmpty())
        return;
    if (m_cache)
        m_cache->cancelPending();
    m_pending.clear();
    m_view->viewport()->update();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// An icon view's items with their photos' own pictures: thumbnails asked for as the items are painted, the
// generic icon until one comes, and only that item painted again when it does.
#pragma once

#include "present/thumbnailcache.h"

#include <QCache>
#include <QHash>
#include <QList>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>
#include <optional>

class QAbstractItemView;

class ThumbnailDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // An item's picture; nullopt for an item that names none (it keeps the generic icon and nothing is asked).
    using SourceOf = std::function<std::optional<ThumbnailSource>(const QModelIndex &)>;

    // view is the icon view painted for, and the delegate's parent; cache may go away before the delegate.
    ThumbnailDelegate(QAbstractItemView *view, ThumbnailCache *cache, SourceOf sourceOf);
    ~ThumbnailDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The thumbnails shown stay, but each is asked for again when next painted: the list was refilled, perhaps
    // after the photo manager replaced pictures.
    void refresh();
    // Thumbnails asked for and not come yet.
    int pendingCount() const { return int(m_pending.size()); }
    // The thumbnail an item shows; nullopt while it shows the generic icon.
    std::optional<QPixmap> thumbnailShown(const QModelIndex &index) const;

private:
    struct Shown {
        QPixmap pixmap;      // null: the photo has no picture that can be shown
        int generation = -1; // the refresh it answers; an older one is shown but asked for again
    };

    void ask(const ThumbnailSource &source, const QModelIndex &index) const;
    // tag: the generation asked in, a line break, the source's id.
    void thumbnailReady(const QString &tag, const QImage &image);
    // Requests of items scrolled out of sight are dropped; the items still in sight ask again.
    void scrolled();

    QAbstractItemView *m_view;
    QPointer<ThumbnailCache> m_cache;
    SourceOf m_sourceOf;
    int m_generation = 0;
    // Painting asks, so these change in the const paint().
    mutable QCache<QString, Shown> m_shown;                         // cost in KiB
    mutable QHash<QString, QList<QPersistentModelIndex>> m_pending; // id -> the items waiting for it
};

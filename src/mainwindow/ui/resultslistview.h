// SPDX-License-Identifier: GPL-3.0-or-later
// lstPhotos: the results list as a sortable table or as icons, both views over one model.
#pragma once

#include "present/thumbnailcache.h"

#include <QWidget>
#include <functional>
#include <optional>

class QAbstractItemDelegate;
class QListView;
class QStackedWidget;
class QTableView;
class ResultsModel;
class ThumbnailDelegate;
struct PhotoRecord;

class ResultsListView : public QWidget
{
    Q_OBJECT
public:
    enum View { IconView = 2, ReportView = 3 };

    explicit ResultsListView(ResultsModel *model, QWidget *parent = nullptr);

    void setView(int view);
    int view() const { return m_view; }
    int currentRow() const;
    // Makes row current and selected and scrolls it into view, without announcing it as a click.
    void selectRow(int row);
    QTableView *table() const { return m_table; }
    QListView *icons() const { return m_icons; }
    ResultsModel *model() const { return m_model; }

    // The icon view shows each photo's own picture from cache, found through sourceOf (called while painting,
    // on the window thread); a null cache goes back to the generic icon alone.
    void setThumbnails(ThumbnailCache *cache,
                       std::function<std::optional<ThumbnailSource>(const PhotoRecord &)> sourceOf);
    ThumbnailDelegate *thumbnails() const { return m_thumbnails; }

Q_SIGNALS:
    // The user chose a row (click, or moving through the list with the keyboard).
    void itemClicked(int row);
    // "Find Similar Photos" from a row's context menu.
    void findSimilarRequested(int row);

private:
    void applyColumnLayout();

    ResultsModel *m_model;
    QStackedWidget *m_stack;
    QTableView *m_table;
    QListView *m_icons;
    ThumbnailDelegate *m_thumbnails = nullptr;
    QAbstractItemDelegate *m_plainIcons = nullptr; // the view's own, for when thumbnails are switched off
    int m_view = ReportView;
    bool m_selecting = false;
};

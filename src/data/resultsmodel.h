// SPDX-License-Identifier: GPL-3.0-or-later
// The results list: one row per photo of the current photo set, the 19 columns of the list.
#pragma once

#include "data/photodatabase.h"
#include "data/photofilter.h"
#include "data/units.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

class ResultsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        BookPhotoId,
        Description,
        Fine,
        Coarse,
        Total,
        DuffDepth,
        FuelBedDepth,
        VegType,
        ActivityType,
        FbFuelModel,
        DrFuelModel,
        Picture,
        Data,
        FineSort,
        CoarseSort,
        TotalSort,
        Dir,
        DuffSort,
        FuelBedSort,
        ColumnCount,
        // Only while the list shows a ranking: how far each photo is from what it was matched against.
        Match = ColumnCount
    };

    explicit ResultsModel(QObject *parent = nullptr);

    // The text a column shows for a photo; the batch interface prints the same texts.
    static QString cellText(const PhotoRecord &photo, int column, Units units = Units::Imperial);
    static QString headerText(int column, Units units = Units::Imperial);
    static int widthTwips(int column);
    static bool isHidden(int column) { return widthTwips(column) == 0; }
    static bool isRightAligned(int column) { return column >= Fine && column <= FuelBedDepth; }
    // The column whose texts a click on `column` sorts by.
    static int sortColumnFor(int column);

    // Rebuilds the list from a photo set (one reset); the rows keep the set's order. A new set clears the filter.
    void FillResultsList(PhotoSetPtr photos);
    // A ranking as the list: the photos in rank order, each with its distance, shown in an extra column "Match"
    // that a new set (FillResultsList) takes away again. Sorting by it gives the rank back.
    void FillRankedList(PhotoSetPtr photos, std::vector<double> distances);
    bool showsRanking() const { return !m_distances.empty(); }
    // The quick filter: only the photos of the set that hold every word of text are listed (one reset); the
    // order of the rows is kept. Empty text lists the whole set again.
    void setFilterText(const QString &text);
    QString filterText() const { return m_filterText; }
    void setCodeTexts(PhotoFilter::CodeTexts texts);
    // Loadings in Mg/ha and depths in cm, or as stored; the order of the rows is kept.
    void setUnits(Units units);
    Units units() const { return m_units; }
    // The user is about to filter: the search texts are made in the background meanwhile.
    void prepareFilter() { m_filter.prepareInBackground(); }
    // The photos of the set, listed or filtered out.
    int photoCount() const { return int(m_sorted.size()); }
    // Appends photos after the current rows (a source photo found outside the results).
    void appendPhotos(const PhotoSet &photos);
    PhotoSetPtr photos() const { return m_photos; }

    const PhotoRecord *photoAt(int row) const;
    int rowOfKey(const QString &key) const;
    int rowOfLabel(const QString &label) const; // the first row of the photo the label names
    // Whether the photo set holds the photo, listed or hidden by the filter.
    bool holdsLabel(const QString &label) const;
    bool holdsKey(const QString &key) const;

    // A header click: toggles the order on every click, whichever column, and sorts.
    void columnClicked(int column);
    Qt::SortOrder sortOrder() const { return m_order; }
    int sortedColumn() const { return m_sortColumn; }

Q_SIGNALS:
    // The list was sorted by a column (a header click, or a sort order restored).
    void sortChanged(int column, Qt::SortOrder order);

public:
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    // The listed rows: the photos in their sorted order that pass the filter.
    void applyFilter();
    QString matchText(int photoIndex) const;

    PhotoSetPtr m_photos;
    std::vector<int> m_sorted;       // every photo of the set, in the sorted order
    std::vector<int> m_rows;         // shown row -> index in m_photos
    std::vector<double> m_distances; // per photo of a ranking (its index is its rank); empty for other sets
    PhotoFilter m_filter;
    QString m_filterText;
    Units m_units = Units::Imperial;
    Qt::SortOrder m_order = Qt::DescendingOrder; // the first click toggles it to ascending
    int m_sortColumn = -1;
    const QIcon &photoIcon() const;

    mutable QIcon m_icon; // made when first shown
};

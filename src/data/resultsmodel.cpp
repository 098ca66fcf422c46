// SPDX-License-Identifier: GPL-3.0-or-later
// Results list model: formatted texts, zero-padded sort texts and column-click sorting.
#include "resultsmodel.h"
#include "platform/resourceimage.h"

#include <QPixmap>

#include "data/itemroles.h"
#include "data/numberformat.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace
{
struct ColumnSpec {
    const char *header;
    int widthTwips;
};
const ColumnSpec kColumns[ResultsModel::ColumnCount] = {
    {"Book/Photo ID", 1600},
    {"Description", 3750},
    {"0.\" to 2.9\"", 650},
    {"3+\"", 490},
    {"Total", 500},
    {"Duff Depth", 700},
    {"Fuel Bed Depth", 700},
    {"Veg Type", 700},
    {"Activity Type", 700},
    {"FB-Fuel Model", 700},
    {"DR-Fuel Model", 700},
    {"Picture", 0},
    {"Data", 0},
    {"0to3Sort", 0},
    {"3+Sort", 0},
    {"TotalSort", 0},
    {"Dir", 0},
    {"DuffSort", 0},
    {"FuelBedSort", 0},
};

QString depthText(const OptionalNumber &depth, QStringView pattern, bool negativeIsNa)
{
    if (!depth)
        return {};
    if (*depth >= 0)
        return NumberFormat::picture(*depth, pattern);
    return negativeIsNa ? QStringLiteral("n/a") : QString();
}
} // namespace

ResultsModel::ResultsModel(QObject *parent) : QAbstractTableModel(parent), m_photos(std::make_shared<PhotoSet>()) {}

// The library's resources are linked in only when something names them.
static void initCoreResources()
{
    Q_INIT_RESOURCE(core);
}

const QIcon &ResultsModel::photoIcon() const
{
    if (m_icon.isNull()) {
        initCoreResources();
        m_icon = QIcon(QPixmap::fromImage(resourceImage(QStringLiteral(":/core/icons/photo.png"))));
    }
    return m_icon;
}

QString ResultsModel::headerText(int column, Units units)
{
    if (column < 0 || column >= ColumnCount)
        return {};
    if (units == Units::Metric) {
        // The headers name the unit of their values.
        switch (column) {
        case Fine:
            return QStringLiteral("0 to 7.4 cm (Mg/ha)");
        case Coarse:
            return QStringLiteral("7.6 cm+ (Mg/ha)");
        case Total:
            return QStringLiteral("Total (Mg/ha)");
        case DuffDepth:
            return QStringLiteral("Duff Depth (cm)");
        case FuelBedDepth:
            return QStringLiteral("Fuel Bed Depth (cm)");
        default:
            break;
        }
    }
    return QString::fromUtf8(kColumns[column].header);
}

int ResultsModel::widthTwips(int column)
{
    return column >= 0 && column < ColumnCount ? kColumns[column].widthTwips : 0;
}

int ResultsModel::sortColumnFor(int column)
{
    switch (column) {
    case Fine:
        return FineSort;
    case Coarse:
        return CoarseSort;
    case Total:
        return TotalSort;
    case DuffDepth:
        return DuffSort;
    case FuelBedDepth:
        return FuelBedSort;
    default:
        return column;
    }
}

QString ResultsModel::cellText(const PhotoRecord &p, int column, Units units)
{
    const auto load = [units](const OptionalNumber &tonsPerAcre) {
        return UnitConversion::loading(tonsPerAcre, units);
    };
    const auto length = [units](const OptionalNumber &inches) { return UnitConversion::length(inches, units); };
    switch (column) {
    case BookPhotoId:
        return p.label();
    case Description:
        return p.groupLabel;
    case Fine:
        return NumberFormat::picture(load(p.fineLoad()), u"####0.00");
    case Coarse:
        return NumberFormat::picture(load(p.coarseLoad()), u"####0.00");
    case Total:
        return NumberFormat::picture(load(p.totalLoad()), u"####0.00");
    case DuffDepth:
        return depthText(length(p.averageDuffDepth), u"###0.0", true);
    case FuelBedDepth:
        return depthText(length(p.averageFuelbedDepth), u"###0.0", true);
    case VegType:
        return p.vegType;
    case ActivityType:
        return p.activity;
    case FbFuelModel:
        return p.fireBehaveFM;
    case DrFuelModel:
        return p.dangerRatingFM;
    case Picture:
        return p.photoPic;
    case Data:
        return p.dataPic;
    case FineSort:
        return NumberFormat::picture(load(p.fineLoad()), u"00000.00");
    case CoarseSort:
        return NumberFormat::picture(load(p.coarseLoad()), u"000000.00");
    case TotalSort:
        return NumberFormat::picture(load(p.totalLoad()), u"000000.00");
    case Dir:
        return p.bookLabel;
    case DuffSort:
        return depthText(length(p.averageDuffDepth), u"00000.0", true);
    case FuelBedSort:
        // a fuel bed that was not measured gets no sort text and so sorts first
        return depthText(length(p.averageFuelbedDepth), u"00000.0", false);
    default:
        return {};
    }
}

void ResultsModel::FillResultsList(PhotoSetPtr photos)
{
    FillRankedList(std::move(photos), {});
}

void ResultsModel::FillRankedList(PhotoSetPtr photos, std::vector<double> distances)
{
    beginResetModel();
    m_photos = photos ? std::move(photos) : std::make_shared<PhotoSet>();
    m_distances = std::move(distances);
    if (!m_distances.empty())
        m_distances.resize(m_photos->size(), std::numeric_limits<double>::quiet_NaN());
    m_sorted.resize(m_photos->size());
    std::iota(m_sorted.begin(), m_sorted.end(), 0);
    m_rows = m_sorted;
    m_filter.setPhotos(m_photos);
    m_filterText.clear();
    m_sortColumn = -1;
    endResetModel();
}

void ResultsModel::setUnits(Units units)
{
    if (units == m_units)
        return;
    beginResetModel();
    m_units = units;
    endResetModel();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

void ResultsModel::setCodeTexts(PhotoFilter::CodeTexts texts)
{
    if (m_filter.setCodeTexts(std::move(texts)) && !m_filterText.isEmpty()) {
        beginResetModel();
        applyFilter();
        endResetModel();
    }
}

void ResultsModel::setFilterText(const QString &text)
{
    if (text == m_filterText)
        return;
    beginResetModel();
    m_filterText = text;
    applyFilter();
    endResetModel();
}

void ResultsModel::applyFilter()
{
    if (m_filterText.trimmed().isEmpty()) {
        m_rows = m_sorted;
        return;
    }
    const std::vector<bool> keep = m_filter.matches(m_filterText);
    m_rows.clear();
    for (int index : m_sorted) {
        if (keep[size_t(index)])
            m_rows.push_back(index);
    }
}

void ResultsModel::appendPhotos(const PhotoSet &photos)
{
    if (photos.empty())
        return;
    auto grown = std::make_shared<PhotoSet>(*m_photos);
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(photos.size()) - 1);
    // Appended photos are listed whatever the filter says: they were asked for.
    for (const PhotoRecord &p : photos) {
        m_sorted.push_back(int(grown->size()));
        m_rows.push_back(int(grown->size()));
        grown->push_back(p);
    }
    m_photos = std::move(grown);
    m_filter.setPhotos(m_photos);
    if (!m_distances.empty()) // not ranked: no distance
        m_distances.resize(m_photos->size(), std::numeric_limits<double>::quiet_NaN());
    endInsertRows();
}

const PhotoRecord *ResultsModel::photoAt(int row) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return nullptr;
    return &(*m_photos)[size_t(m_rows[size_t(row)])];
}

namespace
{
// A key is "P" and the ID: IDs are compared rather than a key built for every photo.
std::optional<qint64> idOfKey(const QString &key)
{
    bool ok = false;
    const qint64 id = key.startsWith(QLatin1Char('P')) ? QStringView(key).mid(1).toLongLong(&ok) : 0;
    return ok ? std::optional<qint64>(id) : std::nullopt;
}
} // namespace

int ResultsModel::rowOfKey(const QString &key) const
{
    const std::optional<qint64> id = idOfKey(key);
    if (!id)
        return -1;
    for (int row = 0; row < int(m_rows.size()); ++row)
        if (photoAt(row)->id == *id)
            return row;
    return -1;
}

bool ResultsModel::holdsKey(const QString &key) const
{
    const std::optional<qint64> id = idOfKey(key);
    return id && std::any_of(m_photos->begin(), m_photos->end(), [&](const PhotoRecord &p) { return p.id == *id; });
}

bool ResultsModel::holdsLabel(const QString &label) const
{
    return std::any_of(m_photos->begin(), m_photos->end(), [&](const PhotoRecord &p) { return p.isNamedBy(label); });
}

int ResultsModel::rowOfLabel(const QString &label) const
{
    for (int row = 0; row < int(m_rows.size()); ++row)
        if (photoAt(row)->isNamedBy(label))
            return row;
    return -1;
}

void ResultsModel::columnClicked(int column)
{
    const Qt::SortOrder order = m_order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sort(column, order);
}

void ResultsModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount())
        return;
    m_order = order;
    m_sortColumn = column;
    const int sortColumn = sortColumnFor(column);
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> oldRows = m_rows;

    std::vector<QString> keys;
    if (column != Match) {
        keys.resize(m_photos->size());
        for (int index : m_sorted)
            keys[size_t(index)] = cellText((*m_photos)[size_t(index)], sortColumn, m_units);
    }
    // A ranking's photos are held in rank order: by Match, the rank is the order (appended photos last).
    const auto inOrder = [&](int a, int b) {
        const int c = column == Match ? int(a > b) - int(a < b)
                                      : QString::compare(keys[size_t(a)], keys[size_t(b)], Qt::CaseInsensitive);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    };
    std::stable_sort(m_sorted.begin(), m_sorted.end(), inOrder);
    std::stable_sort(m_rows.begin(), m_rows.end(), inOrder);

    std::vector<int> newRowOf(m_photos->size());
    for (int row = 0; row < int(m_rows.size()); ++row)
        newRowOf[size_t(m_rows[size_t(row)])] = row;
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &idx : before)
        after.append(index(newRowOf[size_t(oldRows[size_t(idx.row())])], idx.column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    Q_EMIT sortChanged(column, order);
}

int ResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount + (showsRanking() ? 1 : 0);
}

QString ResultsModel::matchText(int photoIndex) const
{
    const double d = m_distances[size_t(photoIndex)];
    return std::isnan(d) ? QString() : NumberFormat::picture(d, u"##0.000");
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    const PhotoRecord *photo = photoAt(index.row());
    if (!photo)
        return {};
    if (index.column() == Match) {
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == ItemRoles::SortTextRole)
            return matchText(m_rows[size_t(index.row())]);
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return cellText(*photo, index.column(), m_units);
    case Qt::TextAlignmentRole:
        return isRightAligned(index.column()) ? int(Qt::AlignRight | Qt::AlignVCenter)
                                              : int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::DecorationRole:
        return index.column() == BookPhotoId ? QVariant(photoIcon()) : QVariant();
    case ItemRoles::SortTextRole:
        return cellText(*photo, sortColumnFor(index.column()), m_units);
    case ItemRoles::KeyRole:
        return photo->key();
    case ItemRoles::PhotoIdRole:
        return QVariant::fromValue(photo->id);
    case ItemRoles::RecordRole:
        return m_rows[size_t(index.row())];
    default:
        return {};
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return section == Match && showsRanking() ? QStringLiteral("Match") : headerText(section, m_units);
    if (role == Qt::TextAlignmentRole)
        return isRightAligned(section) || section == Match ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                           : int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

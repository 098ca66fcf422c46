// SPDX-License-Identifier: GPL-3.0-or-later
// The summary of the listed photos: count, least, median, mean and most of each value, copyable as text.
#include "frmsummary.h"

#include "data/numberformat.h"
#include "data/photosummary.h"
#include "data/resultsmodel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
const QStringList kColumns{QStringLiteral("Count"), QStringLiteral("Min"), QStringLiteral("Median"),
                           QStringLiteral("Mean"), QStringLiteral("Max")};
} // namespace

frmSummary::frmSummary(const ResultsModel &list, QWidget *parent) : QDialog(parent), m_list(&list)
{
    setObjectName(QStringLiteral("frmSummary"));
    setWindowTitle(QStringLiteral("Summary of Listed Photos"));
    setModal(false);
    auto *layout = new QVBoxLayout(this);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblSummaryCount"));
    layout->addWidget(m_count);

    m_table = new QTableWidget(PhotoSummary::MeasureCount, int(kColumns.size()), this);
    m_table->setObjectName(QStringLiteral("grdSummary"));
    m_table->setAccessibleName(QStringLiteral("Summary of the listed photos"));
    m_table->setAccessibleDescription(
        QStringLiteral("For each value of the list: how many photos have it, its minimum, median, mean and maximum"));
    m_table->setHorizontalHeaderLabels(kColumns);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false); // Tab goes on to the buttons; the arrow keys move between the cells
    m_table->setWordWrap(false);
    for (int row = 0; row < PhotoSummary::MeasureCount; ++row) {
        for (int column = 0; column < int(kColumns.size()); ++column) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    }
    layout->addWidget(m_table, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_copy = new QPushButton(QStringLiteral("&Copy"), this);
    m_copy->setObjectName(QStringLiteral("cmdCopy"));
    m_copy->setToolTip(QStringLiteral("Copy the table as text, its columns separated by tabs"));
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setDefault(true);
    buttons->addWidget(m_copy);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_copy, &QPushButton::clicked, this, &frmSummary::copy);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    // Every change of the listed rows comes as a reset or as rows appended (a source photo found elsewhere).
    connect(&list, &QAbstractItemModel::modelReset, this, &frmSummary::listChanged);
    connect(&list, &QAbstractItemModel::rowsInserted, this, &frmSummary::listChanged);
    connect(&list, &QAbstractItemModel::rowsRemoved, this, &frmSummary::listChanged);
    refresh();
}

void frmSummary::listChanged()
{
    m_stale = true;
    if (isVisible())
        refresh();
}

void frmSummary::showEvent(QShowEvent *event)
{
    if (m_stale)
        refresh();
    QDialog::showEvent(event);
}

void frmSummary::refresh()
{
    m_stale = false;
    if (!m_list)
        return;
    const int rows = m_list->rowCount();
    std::vector<const PhotoRecord *> listed;
    listed.reserve(size_t(rows));
    for (int row = 0; row < rows; ++row)
        listed.push_back(m_list->photoAt(row));
    const Units units = m_list->units();
    const PhotoSummary::Table table = PhotoSummary::summarize(listed, units);

    m_count->setText(rows == 1 ? QStringLiteral("1 photo listed") : QStringLiteral("%1 photos listed").arg(rows));
    QStringList names;
    for (int m = 0; m < PhotoSummary::MeasureCount; ++m) {
        const auto measure = PhotoSummary::Measure(m);
        const PhotoSummary::Row &row = table[size_t(m)];
        names << PhotoSummary::name(measure, units);
        m_table->item(m, 0)->setText(QString::number(row.count));
        const double values[] = {row.min, row.median, row.mean, row.max};
        for (int v = 0; v < 4; ++v)
            m_table->item(m, v + 1)->setText(
                row.count > 0 ? NumberFormat::picture(values[v], PhotoSummary::picture(measure)) : QString());
    }
    m_table->setVerticalHeaderLabels(names);
    m_table->resizeColumnsToContents();
}

QString frmSummary::text() const
{
    QString text = QStringLiteral("Measure\t") + kColumns.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int row = 0; row < m_table->rowCount(); ++row) {
        QStringList fields{m_table->verticalHeaderItem(row)->text()};
        for (int column = 0; column < m_table->columnCount(); ++column)
            fields << m_table->item(row, column)->text();
        text += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

void frmSummary::copy()
{
    QGuiApplication::clipboard()->setText(text());
}

// SPDX-License-Identifier: GPL-3.0-or-later
// chtTotal: the bar chart of a photo's loading by size class.
#pragma once

#include "present/datasheet.h"

#include <QFont>
#include <QRectF>
#include <QStringList>
#include <QWidget>
#include <vector>

// One bar per size class in use, side by side, with the value axis on the left and the legend on the
// right; drawn with the same series, texts and colours as the printed graph.
class LoadingGraph : public QWidget
{
    Q_OBJECT
public:
    explicit LoadingGraph(QWidget *parent = nullptr);

    // DrawLoadingGraph: one series per size class in use, replacing those of an earlier photo.
    void DrawLoadingGraph(const DataSheet &sheet);
    void clearGraph();

    // What the graph shows.
    QString title() const { return GraphTexts::title(m_units); }
    QString valueAxisTitle() const { return GraphTexts::valueAxisTitle(m_units); }
    const std::vector<GraphSeries> &series() const { return m_series; }
    std::vector<double> ticks() const;
    // The legend's entries as drawn at the present size (an entry that does not fit ends in an ellipsis).
    QStringList legendTexts() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Layout {
        QFont title, legend, axis;
        QString shownTitle;
        QStringList legends;
        QRectF legendBox;
        double legendLine = 0;
        QRectF plot;
        std::vector<double> ticks;
    };
    Layout layoutFor(const QRectF &area) const;
    void describe();

    Units m_units = Units::Imperial;
    std::vector<GraphSeries> m_series;
};

// chtTotal: the bar chart of a photo's loading by size class.
#pragma once

#include "present/datasheet.h"

#include <QWidget>
#include <optional>

class QBarCategoryAxis;
class QChart;
class QChartView;
class QGraphicsScene;
class QValueAxis;

// The chart itself is made the first time it is shown or asked for, and a photo's graph is drawn then:
// most photos are looked at as data sheets, and a chart costs a start-up time the user would notice.
class LoadingGraph : public QWidget
{
    Q_OBJECT
public:
    explicit LoadingGraph(QWidget *parent = nullptr);

    // DrawLoadingGraph: one series per size class in use, replacing those of an earlier photo.
    void DrawLoadingGraph(const DataSheet &sheet);
    void clearGraph();

    QChart *chart();
    QGraphicsScene *scene();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ensureChart();
    void draw(const DataSheet &sheet);

    QChartView *m_view = nullptr;
    QBarCategoryAxis *m_categories = nullptr;
    QValueAxis *m_values = nullptr;
    std::optional<DataSheet> m_pending; // drawn when the chart is made
};

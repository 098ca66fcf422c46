// chtTotal: the bar chart of a photo's loading by size class.
#pragma once

#include <QtCharts/QChartView>

struct DataSheet;
class QBarCategoryAxis;
class QValueAxis;

class LoadingGraph : public QChartView
{
    Q_OBJECT
public:
    explicit LoadingGraph(QWidget *parent = nullptr);

    // DrawLoadingGraph: one series per size class in use, replacing those of an earlier photo.
    void DrawLoadingGraph(const DataSheet &sheet);
    void clearGraph();

private:
    QBarCategoryAxis *m_categories;
    QValueAxis *m_values;
};

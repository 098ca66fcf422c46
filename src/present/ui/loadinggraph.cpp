// Filling the loading chart from a data sheet.
#include "loadinggraph.h"

#include "present/datasheet.h"

#include <QVBoxLayout>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QValueAxis>

LoadingGraph::LoadingGraph(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void LoadingGraph::ensureChart()
{
    if (m_view)
        return;
    m_view = new QChartView(this);
    m_categories = new QBarCategoryAxis;
    m_values = new QValueAxis;
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("Total Tons Per Acre"));
    QFont title = chart->titleFont();
    title.setPointSize(8);
    chart->setTitleFont(title);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignRight);
    QFont legend = chart->legend()->font();
    legend.setPointSize(7);
    chart->legend()->setFont(legend);
    m_values->setTitleText(GraphTexts::valueAxisTitle(Units::Imperial));
    QFont axis = m_values->titleFont();
    axis.setPointSize(7);
    m_values->setTitleFont(axis);
    m_values->setLabelsFont(axis);
    // Light loadings need their decimals: a whole-number format labels a 0 to 1 axis "0, 0, 0, 1".
    m_values->setLabelFormat(QStringLiteral("%g"));
    m_categories->append(QStringLiteral(""));
    chart->addAxis(m_categories, Qt::AlignBottom);
    chart->addAxis(m_values, Qt::AlignLeft);
    m_view->setChart(chart);
    m_view->setRenderHint(QPainter::Antialiasing);
    layout()->addWidget(m_view);
    if (m_pending) {
        const DataSheet sheet = *m_pending;
        m_pending.reset();
        draw(sheet);
    }
}

QChart *LoadingGraph::chart()
{
    ensureChart();
    return m_view->chart();
}

QGraphicsScene *LoadingGraph::scene()
{
    ensureChart();
    return m_view->scene();
}

void LoadingGraph::showEvent(QShowEvent *event)
{
    ensureChart();
    QWidget::showEvent(event);
}

void LoadingGraph::clearGraph()
{
    m_pending.reset();
    if (!m_view)
        return;
    m_view->chart()->removeAllSeries();
    m_values->setRange(0, 1);
}

void LoadingGraph::DrawLoadingGraph(const DataSheet &sheet)
{
    if (!m_view) {
        m_pending = sheet;
        return;
    }
    draw(sheet);
}

void LoadingGraph::draw(const DataSheet &sheet)
{
    QChart *c = m_view->chart();
    c->removeAllSeries();
    const std::vector<GraphSeries> series = loadingGraphSeries(sheet);
    c->setTitle(GraphTexts::title(sheet.units));
    m_values->setTitleText(GraphTexts::valueAxisTitle(sheet.units));
    if (series.empty())
        return;
    auto *bars = new QBarSeries;
    double top = 0;
    for (const GraphSeries &s : series) {
        auto *set = new QBarSet(s.legend);
        set->append(s.value);
        bars->append(set);
        top = std::max(top, s.value);
    }
    c->addSeries(bars);
    bars->attachAxis(m_categories);
    bars->attachAxis(m_values);
    m_values->setRange(0, top > 0 ? top : 1);
    m_values->applyNiceNumbers();
}

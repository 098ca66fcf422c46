// SPDX-License-Identifier: GPL-3.0-or-later
// The loading graph, drawn from a data sheet's series.
#include "loadinggraph.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace
{

const QColor kFrame(200, 200, 200);
const QColor kPlotLine(225, 225, 225);
const QColor kAxis(118, 118, 118); // at least 3:1 on white, as lines that carry meaning need
constexpr double kPad = 6;
constexpr double kSwatch = 10;
constexpr double kGap = 4;

QFont sized(const QFont &base, double points, bool bold)
{
    QFont font(base);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The largest size from start down to smallest, by half points, at which every text fits width.
QFont fitting(const QFont &base, double start, double smallest, bool bold, const QStringList &texts, double width)
{
    for (double size = start;; size -= 0.5) {
        const QFont font = sized(base, size, bold);
        const QFontMetricsF metrics(font);
        const bool fits = std::all_of(texts.cbegin(), texts.cend(),
                                      [&](const QString &text) { return metrics.horizontalAdvance(text) <= width; });
        if (fits || size <= smallest)
            return font;
    }
}

QString tickText(double value)
{
    return QString::asprintf("%g", value);
}

} // namespace

LoadingGraph::LoadingGraph(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // White paper as in the printed graph, with its dark grey text, whatever the desktop's theme.
    QPalette paper = palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, QColor(0x40, 0x40, 0x40));
    setPalette(paper);
    setAccessibleName(QStringLiteral("Loading graph"));
    describe();
}

void LoadingGraph::DrawLoadingGraph(const DataSheet &sheet)
{
    m_units = sheet.units;
    m_series = loadingGraphSeries(sheet);
    describe();
    update();
}

void LoadingGraph::clearGraph()
{
    m_series.clear();
    describe();
    update();
}

std::vector<double> LoadingGraph::ticks() const
{
    double top = 0;
    for (const GraphSeries &s : m_series)
        top = std::max(top, s.value);
    return loadingGraphTicks(top);
}

QStringList LoadingGraph::legendTexts() const
{
    return layoutFor(QRectF(rect())).legends;
}

// A screen reader reads the graph as its title and its bars' legends.
void LoadingGraph::describe()
{
    QStringList parts{title()};
    for (const GraphSeries &s : m_series)
        parts << s.legend.simplified();
    setAccessibleDescription(parts.join(QStringLiteral("; ")));
}

LoadingGraph::Layout LoadingGraph::layoutFor(const QRectF &area) const
{
    Layout l;
    const QFont base = font();
    const QRectF r = area.adjusted(kPad, kPad, -kPad, -kPad);
    l.title = fitting(base, 8, 5, false, {title()}, r.width());
    l.shownTitle = QFontMetricsF(l.title).elidedText(title(), Qt::ElideRight, r.width());
    l.axis = sized(base, 7, false);
    const QFontMetricsF axis(l.axis);
    const double top = r.top() + QFontMetricsF(l.title).height() + kPad;
    const double bottom = r.bottom() - axis.height() / 2; // room for the lowest tick's text

    // The legend on the right, one entry per series, in the largest size at which every entry fits.
    QStringList legends;
    for (const GraphSeries &s : m_series)
        legends << s.legend;
    const double legendRoom = std::max(0.0, r.width() * 0.48 - kSwatch - kGap);
    l.legend = fitting(base, 7, 4, false, legends, legendRoom);
    while (l.legend.pointSizeF() > 4 && legends.size() * QFontMetricsF(l.legend).height() > bottom - top)
        l.legend.setPointSizeF(l.legend.pointSizeF() - 0.5);
    const QFontMetricsF legend(l.legend);
    l.legendLine = legend.height();
    double legendWidth = 0;
    for (const QString &text : legends) {
        l.legends << legend.elidedText(text, Qt::ElideRight, legendRoom);
        legendWidth = std::max(legendWidth, legend.horizontalAdvance(l.legends.constLast()));
    }
    if (!legends.isEmpty())
        legendWidth += kSwatch + kGap;
    const double legendHeight = legends.size() * l.legendLine;
    l.legendBox = QRectF(r.right() - legendWidth, (top + bottom - legendHeight) / 2, legendWidth, legendHeight);

    // The plot between the value axis (its title upright, then the tick texts) and the legend.
    l.ticks = ticks();
    double tickWidth = 0;
    for (const double t : l.ticks)
        tickWidth = std::max(tickWidth, axis.horizontalAdvance(tickText(t)));
    const double plotLeft = r.left() + axis.height() + kGap + tickWidth + kGap;
    const double plotRight = legends.isEmpty() ? r.right() : l.legendBox.left() - 2 * kGap;
    l.plot = QRectF(QPointF(plotLeft, top), QPointF(plotRight, bottom));
    return l;
}

void LoadingGraph::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor text = palette().color(QPalette::WindowText);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(kFrame);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const Layout l = layoutFor(QRectF(rect()));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(text);
    p.setFont(l.title);
    p.drawText(QRectF(rect()).adjusted(kPad, kPad, -kPad, 0), Qt::AlignHCenter | Qt::AlignTop, l.shownTitle);

    p.setFont(l.legend);
    for (int i = 0; i < l.legends.size(); ++i) {
        const double y = l.legendBox.top() + i * l.legendLine;
        const double box = std::min(kSwatch, l.legendLine * 0.7);
        p.fillRect(QRectF(l.legendBox.left(), y + (l.legendLine - box) / 2, box, box), loadingGraphColour(size_t(i)));
        p.drawText(QRectF(l.legendBox.left() + kSwatch + kGap, y, l.legendBox.width(), l.legendLine),
                   Qt::AlignLeft | Qt::AlignVCenter, l.legends.at(i));
    }
    if (l.plot.width() < 4 || l.plot.height() < 4)
        return;

    p.setFont(l.axis);
    const QFontMetricsF axis(l.axis);
    const QString axisTitle = valueAxisTitle();
    p.save();
    p.translate(kPad + axis.ascent(), l.plot.center().y() + axis.horizontalAdvance(axisTitle) / 2);
    p.rotate(-90);
    p.drawText(QPointF(0, 0), axisTitle);
    p.restore();

    const double axisTop = l.ticks.back();
    auto yOf = [&](double value) { return l.plot.bottom() - l.plot.height() * value / axisTop; };
    for (const double t : l.ticks) {
        p.setPen(kPlotLine);
        p.drawLine(QPointF(l.plot.left(), yOf(t)), QPointF(l.plot.right(), yOf(t)));
        p.setPen(text);
        const QRectF label(kPad, yOf(t) - axis.height() / 2, l.plot.left() - kGap - kPad, axis.height());
        p.drawText(label, Qt::AlignRight | Qt::AlignVCenter, tickText(t));
    }
    p.setPen(kAxis);
    p.drawLine(l.plot.topLeft(), l.plot.bottomLeft());
    p.drawLine(l.plot.bottomLeft(), l.plot.bottomRight());

    // One category holding a bar per series, side by side.
    if (m_series.empty())
        return;
    const double group = l.plot.width() * 0.8;
    const double barWidth = group / double(m_series.size());
    double x = l.plot.left() + (l.plot.width() - group) / 2;
    for (size_t i = 0; i < m_series.size(); ++i, x += barWidth) {
        const double value = std::max(0.0, m_series[i].value);
        p.fillRect(QRectF(x, yOf(value), barWidth, l.plot.bottom() - yOf(value)), loadingGraphColour(i));
    }
}

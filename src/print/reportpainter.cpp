// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the placed items of each page: texts on their line, rules, stretched pictures, the data-sheet table and the
// loading bar graph, all measured in inches and turned into device units at the last moment.
#include "reportpainter.h"

#include "present/datasheet.h"
#include "print/reportmetrics.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace
{

// Inches to the device's dots.
struct DeviceScale {
    double dx = 1;
    double dy = 1;

    QPointF point(double x, double y) const { return {x * dx, y * dy}; }
    QPointF point(const QPointF &p) const { return point(p.x(), p.y()); }
    QRectF rect(const QRectF &r) const { return {point(r.topLeft()), QSizeF(r.width() * dx, r.height() * dy)}; }
};

const QColor kSheetBackground(255, 255, 192); // the grid's light yellow
const QColor kGridLine(160, 160, 160);
const QColor kPlotLine(200, 200, 200);

// Text whose line starts at `at` (inches).
void drawText(QPainter &painter, const DeviceScale &u, const ReportFont &font, QPointF at, const QString &text)
{
    painter.setFont(ReportMetrics::font(font));
    painter.setPen(Qt::black);
    painter.drawText(u.point(at.x(), at.y() + ReportMetrics::ascent(font)), text);
}

// The largest size from `start` down to `smallest` (half points) at which every text fits into width.
double fittingSize(double start, double smallest, bool bold, const QStringList &texts, double width)
{
    double size = start;
    while (size > smallest) {
        const ReportFont font{size, bold};
        const bool fits = std::all_of(texts.begin(), texts.end(), [&](const QString &text) {
            return ReportMetrics::textWidth(font, text) <= width;
        });
        if (fits)
            break;
        size -= 0.5;
    }
    return size;
}

constexpr double kSheetPad = 0.03;
constexpr double kSheetLabelShare = 0.68; // of the sheet's width, the rest for the values

QStringList sheetColumn(const DataSheet &sheet, int column)
{
    QStringList texts;
    for (int row = 0; row < sheet.rows; ++row)
        texts << sheet.cell(row, column);
    return texts;
}

void drawDataSheet(QPainter &painter, const DeviceScale &u, const PageDataSheet &item)
{
    const DataSheet &sheet = item.sheet;
    const SheetScale scale = item.scale ? *item.scale : ReportPainter::sheetScale(item.rect.size(), sheet);
    const int rows = std::max(sheet.rows, 1);
    const double rowHeight = scale.rowHeight;
    // A sheet drawn at another sheet's scale keeps its top and takes the height its rows need.
    const QRectF r(item.rect.topLeft(), QSizeF(item.rect.width(), std::min(item.rect.height(), rows * rowHeight)));
    const double labelWidth = r.width() * kSheetLabelShare;
    const QStringList labels = sheetColumn(sheet, 0);
    const QStringList values = sheetColumn(sheet, 1);
    const ReportFont font{scale.pointSize, false};

    painter.fillRect(u.rect(r), kSheetBackground);
    painter.setPen(QPen(kGridLine, 0.005 * u.dx));
    for (int row = 0; row <= rows; ++row)
        painter.drawLine(u.point(r.left(), r.top() + row * rowHeight), u.point(r.right(), r.top() + row * rowHeight));
    for (const double x : {r.left(), r.left() + labelWidth, r.right()})
        painter.drawLine(u.point(x, r.top()), u.point(x, r.bottom()));

    const double inset = (rowHeight - ReportMetrics::lineHeight(font)) / 2;
    for (int row = 0; row < sheet.rows; ++row) {
        const double top = r.top() + row * rowHeight + inset;
        drawText(painter, u, font, {r.left() + kSheetPad, top}, labels.at(row));
        const QString &value = values.at(row);
        drawText(painter, u, font, {r.right() - kSheetPad - ReportMetrics::textWidth(font, value), top}, value);
    }
}

void drawGraph(QPainter &painter, const DeviceScale &u, const PageGraph &item)
{
    const QRectF r = item.rect;
    const double pad = 0.05;
    const ReportFont titleFont{8, true};
    const ReportFont axisFont{7, false};
    const ReportFont tickFont{6, false};

    painter.fillRect(u.rect(r), Qt::white);
    painter.setPen(QPen(kPlotLine, 0.005 * u.dx));
    painter.drawRect(u.rect(r));

    // The texts keep to the part of the frame before textRight.
    const QRectF texts(r.topLeft(), QPointF(std::min(r.right(), item.textRight), r.bottom()));
    const QString title = GraphTexts::title(item.units);
    const ReportFont fittedTitle{fittingSize(8, 5, true, {title}, texts.width() - 2 * pad), true};
    drawText(painter, u, fittedTitle,
             {texts.center().x() - ReportMetrics::textWidth(fittedTitle, title) / 2, r.top() + pad}, title);
    const double top = r.top() + pad + ReportMetrics::lineHeight(titleFont) + pad;
    const double bottom = r.bottom() - pad - ReportMetrics::lineHeight(tickFont);

    // Legend on the right, one entry per series, as narrow as its texts allow.
    QStringList legends;
    double highest = 0;
    for (const GraphSeries &s : item.series) {
        legends << s.legend;
        highest = std::max(highest, s.value);
    }
    const double swatch = 0.08;
    const double legendRoom = texts.width() * 0.48 - swatch - 0.04;
    ReportFont legendFont{fittingSize(7, 4, false, legends, legendRoom), false};
    while (legendFont.pointSize > 4 && legends.size() * ReportMetrics::lineHeight(legendFont) > bottom - top)
        legendFont.pointSize -= 0.5;
    double legendWidth = 0;
    for (const QString &text : legends)
        legendWidth = std::max(legendWidth, ReportMetrics::textWidth(legendFont, text));
    legendWidth += swatch + 0.04;
    const double legendLeft = texts.right() - pad - legendWidth;
    const double legendLine = ReportMetrics::lineHeight(legendFont);
    double legendTop = (top + bottom) / 2 - legends.size() * legendLine / 2;
    for (int i = 0; i < legends.size(); ++i) {
        const double y = legendTop + i * legendLine;
        const double box = std::min(swatch, legendLine * 0.7);
        painter.fillRect(u.rect(QRectF(legendLeft, y + (legendLine - box) / 2, box, box)),
                         loadingGraphColour(size_t(i)));
        drawText(painter, u, legendFont, {legendLeft + swatch + 0.04, y}, legends.at(i));
    }

    // Value axis: its title turned upright at the left edge, then the tick labels.
    const std::vector<double> ticks = loadingGraphTicks(highest);
    const double axisTop = ticks.back();
    double tickWidth = 0;
    for (const double t : ticks)
        tickWidth = std::max(tickWidth, ReportMetrics::textWidth(tickFont, QString::asprintf("%g", t)));
    const double plotLeft = r.left() + pad + ReportMetrics::lineHeight(axisFont) + 0.04 + tickWidth + 0.04;
    const double plotRight = legendLeft - 0.1;
    if (plotRight <= plotLeft || bottom <= top)
        return;
    const QString axisTitle = GraphTexts::valueAxisTitle(item.units);
    painter.save();
    painter.translate(u.point(r.left() + pad, (top + bottom) / 2 + ReportMetrics::textWidth(axisFont, axisTitle) / 2));
    painter.rotate(-90);
    drawText(painter, u, axisFont, {0, 0}, axisTitle);
    painter.restore();

    auto yOf = [&](double value) { return bottom - (bottom - top) * value / axisTop; };
    const double tickInset = ReportMetrics::ascent(tickFont) / 2;
    for (const double t : ticks) {
        const QString text = QString::asprintf("%g", t);
        painter.setPen(QPen(kPlotLine, 0.005 * u.dx));
        painter.drawLine(u.point(plotLeft, yOf(t)), u.point(plotRight, yOf(t)));
        drawText(painter, u, tickFont, {plotLeft - 0.04 - ReportMetrics::textWidth(tickFont, text), yOf(t) - tickInset},
                 text);
    }
    painter.setPen(QPen(Qt::black, 0.007 * u.dx));
    painter.drawLine(u.point(plotLeft, top), u.point(plotLeft, bottom));
    painter.drawLine(u.point(plotLeft, bottom), u.point(plotRight, bottom));

    // One category holding a bar per series, side by side.
    if (item.series.empty())
        return;
    const double group = (plotRight - plotLeft) * 0.8;
    const double barWidth = group / double(item.series.size());
    double x = plotLeft + (plotRight - plotLeft - group) / 2;
    for (size_t i = 0; i < item.series.size(); ++i, x += barWidth) {
        const double value = std::max(0.0, item.series[i].value);
        const QRectF bar(x, yOf(value), barWidth, bottom - yOf(value));
        painter.fillRect(u.rect(bar), loadingGraphColour(i));
    }
}

} // namespace

namespace ReportPainter
{

SheetScale sheetScale(const QSizeF &size, const DataSheet &sheet)
{
    const double rowHeight = size.height() / std::max(sheet.rows, 1);
    const double labelWidth = size.width() * kSheetLabelShare;
    const double byHeight = std::floor(rowHeight * 72 / 1.25 * 2) / 2; // a line with some air, in half points
    double pointSize =
        fittingSize(std::min(9.0, byHeight), 4.0, false, sheetColumn(sheet, 0), labelWidth - 2 * kSheetPad);
    pointSize = fittingSize(pointSize, 4.0, false, sheetColumn(sheet, 1), size.width() - labelWidth - 2 * kSheetPad);
    return {rowHeight, pointSize};
}

bool paint(QPainter &painter, QPagedPaintDevice &device, const Report &report, const std::function<bool()> &keepGoing,
           const std::function<void(int page)> &startingPage)
{
    for (size_t i = 0; i < report.pages.size(); ++i) {
        if (startingPage)
            startingPage(int(i) + 1);
        if (i > 0 && !device.newPage())
            return false;
        if (!paint(painter, report.pages[i], keepGoing))
            return false;
    }
    return true;
}

bool paint(QPainter &painter, const ReportPage &page, const std::function<bool()> &keepGoing)
{
    if (!painter.isActive() || !painter.device())
        return false;
    const DeviceScale u{double(painter.device()->logicalDpiX()), double(painter.device()->logicalDpiY())};
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    bool complete = true;
    for (const PageItem &item : page.items) {
        if (const auto *text = std::get_if<PageText>(&item)) {
            drawText(painter, u, text->font, text->at, text->text);
        } else if (const auto *line = std::get_if<PageLine>(&item)) {
            QPen pen(Qt::black, line->width * u.dx);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            painter.drawLine(u.point(line->from), u.point(line->to));
        } else if (const auto *picture = std::get_if<PagePicture>(&item)) {
            painter.drawImage(u.rect(picture->rect), picture->image);
        } else if (const auto *sheet = std::get_if<PageDataSheet>(&item)) {
            drawDataSheet(painter, u, *sheet);
        } else if (const auto *graph = std::get_if<PageGraph>(&item)) {
            drawGraph(painter, u, *graph);
        }
        if (!painter.isActive() || (keepGoing && !keepGoing())) {
            complete = false;
            break;
        }
    }
    if (painter.isActive())
        painter.restore();
    return complete;
}

} // namespace ReportPainter

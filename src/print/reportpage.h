// SPDX-License-Identifier: GPL-3.0-or-later
// A printed report as pages of placed items in inches from the top-left of the printable area.
#pragma once

#include "present/datasheet.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

// The reports use one family, "Arial"; fontconfig gives a metric-compatible face where Arial is missing.
struct ReportFont {
    double pointSize = 10;
    bool bold = false;

    bool operator==(const ReportFont &other) const { return pointSize == other.pointSize && bold == other.bold; }
    bool operator!=(const ReportFont &other) const { return !(*this == other); }
};

// Text whose line starts at `at` (the top-left of the line, not the baseline).
struct PageText {
    QPointF at;
    QString text;
    ReportFont font;
};

struct PageLine {
    QPointF from;
    QPointF to;
    double width = 0.01; // inches: three dots of a 300-dpi printer
};

// A picture stretched to its rectangle whatever its own proportions.
struct PagePicture {
    QRectF rect;
    QImage image;
};

// The height of a data sheet's rows and the size of its type, in inches and points.
struct SheetScale {
    double rowHeight = 0;
    double pointSize = 0;
};

// The data sheet drawn as a two-column table with the grid's texts, from the top of its rectangle.
struct PageDataSheet {
    QRectF rect;
    DataSheet sheet;
    std::optional<SheetScale> scale; // none: the largest at which the sheet fills its rectangle
};

// The loading graph drawn as bars with the screen's series, values and texts.
struct PageGraph {
    QRectF rect;
    std::vector<GraphSeries> series;
    Units units = Units::Imperial; // of the titles
    double textRight = 1e9;        // inches: the texts end before it, even where the frame reaches further
};

using PageItem = std::variant<PageText, PageLine, PagePicture, PageDataSheet, PageGraph>;

struct ReportPage {
    std::vector<PageItem> items;

    // The texts in the order they were placed; tests and the batch interface read them.
    std::vector<PageText> texts() const;
    std::vector<PagePicture> pictures() const;
};

struct Report {
    QString title; // the document name of the print job and the PDF
    std::vector<ReportPage> pages;

    // Of every page, in page order.
    std::vector<PagePicture> pictures() const;
};

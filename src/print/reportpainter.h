// SPDX-License-Identifier: GPL-3.0-or-later
// Draws report pages on any paint device: the printer, the preview and PDF files get the same drawing.
#pragma once

#include "print/reportpage.h"

#include <QSizeF>
#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace ReportPainter
{

// Draws the page with the painter's origin at the top-left of the printable area, in the device's own
// resolution. keepGoing is asked after each item (the progress window lets events run there); when it
// answers false, drawing stops and paint returns false. Also false when the painter stops being active.
bool paint(QPainter &painter, const ReportPage &page, const std::function<bool()> &keepGoing = {});

// Every page of the report on the device the painter draws on, each after the first on a new sheet.
// startingPage is told the number (from 1) of each page before it is drawn.
bool paint(QPainter &painter, QPagedPaintDevice &device, const Report &report,
           const std::function<bool()> &keepGoing = {}, const std::function<void(int page)> &startingPage = {});

// The scale at which a data sheet fills a rectangle of that size: its rows share the height, and the type
// is as large as the rows and the columns' widths allow.
SheetScale sheetScale(const QSizeF &size, const DataSheet &sheet);

} // namespace ReportPainter

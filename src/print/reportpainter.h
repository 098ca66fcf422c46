// Draws a report page on any paint device: the printer, the preview and PDF files get the same drawing.
#pragma once

#include "print/reportpage.h"

#include <functional>

class QPainter;

namespace ReportPainter
{

// Draws the page with the painter's origin at the top-left of the printable area, in the device's own
// resolution. keepGoing is asked after each item (the progress window lets events run there); when it
// answers false, drawing stops and paint returns false. Also false when the painter stops being active.
bool paint(QPainter &painter, const ReportPage &page, const std::function<bool()> &keepGoing = {});

} // namespace ReportPainter

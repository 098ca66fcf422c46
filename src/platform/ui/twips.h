// SPDX-License-Identifier: GPL-3.0-or-later
// Window measures of the design are in twips, 1440 to the inch; pixels follow the widget's screen.
#pragma once

#include <QWidget>

inline int twips(const QWidget *widget, int twips)
{
    const int dpi = widget ? widget->logicalDpiY() : 96;
    return (twips * dpi + 720) / 1440;
}

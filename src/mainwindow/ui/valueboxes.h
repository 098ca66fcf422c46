// SPDX-License-Identifier: GPL-3.0-or-later
// The boxes in which a stand's four values are typed, alike in every form that asks for them.
#pragma once

#include "data/photomatch.h"

#include <QString>
#include <optional>

class QLineEdit;
class QWidget;

namespace ValueBoxes
{
// "&0\" to 2.9\" loading", "&Duff depth", ... with its access key, and "tons per acre", "cm", ... in the units shown.
QString caption(PhotoMatch::Measure measure, Units units);
QString unit(PhotoMatch::Measure measure, Units units);
// The picture a value is shown in: two decimals for the loadings, one for the depths.
QStringView picture(PhotoMatch::Measure measure);
// A box for a number of 0 or more with "." as its decimal point, named objectName.
QLineEdit *numberBox(const QString &objectName, QWidget *parent);
// A value shown in its box (empty for none), and the box's number (none when empty or not a number).
QString text(const OptionalNumber &value, PhotoMatch::Measure measure);
OptionalNumber number(const QLineEdit *box);
} // namespace ValueBoxes

// SPDX-License-Identifier: GPL-3.0-or-later
// Captions, units and number boxes of a stand's four values.
#include "valueboxes.h"

#include "data/numberformat.h"

#include <QDoubleValidator>
#include <QLineEdit>

namespace ValueBoxes
{

QString caption(PhotoMatch::Measure measure, Units units)
{
    const bool metric = units == Units::Metric;
    switch (measure) {
    case PhotoMatch::Fine:
        return metric ? QStringLiteral("&0 to 7.4 cm loading") : QStringLiteral("&0\" to 2.9\" loading");
    case PhotoMatch::Coarse:
        return metric ? QStringLiteral("&7.6 cm+ loading") : QStringLiteral("&3\"+ loading");
    case PhotoMatch::Duff:
        return QStringLiteral("&Duff depth");
    default:
        return QStringLiteral("&Fuel bed depth");
    }
}

QString unit(PhotoMatch::Measure measure, Units units)
{
    const bool metric = units == Units::Metric;
    if (measure == PhotoMatch::Fine || measure == PhotoMatch::Coarse)
        return metric ? QStringLiteral("Mg/ha") : QStringLiteral("tons per acre");
    return metric ? QStringLiteral("cm") : QStringLiteral("inches");
}

QStringView picture(PhotoMatch::Measure measure)
{
    return measure == PhotoMatch::Fine || measure == PhotoMatch::Coarse ? QStringView(u"####0.00")
                                                                        : QStringView(u"###0.0");
}

QLineEdit *numberBox(const QString &objectName, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(objectName);
    auto *validator = new QDoubleValidator(0, 1e9, 6, box);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(QLocale::c());
    box->setValidator(validator);
    return box;
}

QString text(const OptionalNumber &value, PhotoMatch::Measure measure)
{
    return value ? NumberFormat::picture(*value, picture(measure)).trimmed() : QString();
}

OptionalNumber number(const QLineEdit *box)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(box->text().trimmed(), &ok);
    return ok ? OptionalNumber(v) : std::nullopt;
}

} // namespace ValueBoxes

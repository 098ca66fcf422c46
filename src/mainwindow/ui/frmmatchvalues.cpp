// SPDX-License-Identifier: GPL-3.0-or-later
// The Match Values form: four values with a tick each, a vegetation type, how many photos to list.
#include "frmmatchvalues.h"

#include "data/queryparameters.h"
#include "mainwindow/ui/valueboxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

frmMatchValues::frmMatchValues(Units units, const PhotoMatch::Values &initial, const QStringList &vegTypes,
                               const std::optional<QString> &initialVegType, int count, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMatchValues"));
    setWindowTitle(QStringLiteral("Match Values"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Tick the values to match; the photos nearest to them are listed."), this));
    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    static const char *const kNames[PhotoMatch::MeasureCount] = {"Fine", "Coarse", "Duff", "Bed"};
    for (int m = 0; m < PhotoMatch::MeasureCount; ++m) {
        const auto measure = PhotoMatch::Measure(m);
        const QString suffix = QString::fromLatin1(kNames[m]);
        const QString caption = ValueBoxes::caption(measure, units);
        auto *use = m_use[size_t(m)] = new QCheckBox(caption, this);
        use->setObjectName(QStringLiteral("chkMatch") + suffix);
        auto *value = m_value[size_t(m)] = ValueBoxes::numberBox(QStringLiteral("txtMatch") + suffix, this);
        value->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
        value->setAccessibleDescription(ValueBoxes::unit(measure, units));
        const OptionalNumber &v = initial[size_t(m)];
        value->setText(ValueBoxes::text(v, measure));
        use->setChecked(v.has_value());
        auto *unit = new QLabel(ValueBoxes::unit(measure, units), this);
        grid->addWidget(use, m, 0);
        grid->addWidget(value, m, 1);
        grid->addWidget(unit, m, 2);
        connect(use, &QCheckBox::toggled, this, &frmMatchValues::updateFind);
        connect(value, &QLineEdit::textChanged, this, [use, value] {
            if (!value->text().trimmed().isEmpty())
                use->setChecked(true);
        });
        connect(value, &QLineEdit::textChanged, this, &frmMatchValues::updateFind);
    }

    auto *form = new QFormLayout;
    layout->addLayout(form);
    m_sameVeg = new QCheckBox(QStringLiteral("Same &vegetation type"), this);
    m_sameVeg->setObjectName(QStringLiteral("chkMatchVeg"));
    m_veg = new QComboBox(this);
    m_veg->setObjectName(QStringLiteral("cboMatchVeg"));
    m_veg->setAccessibleName(QStringLiteral("Vegetation type"));
    m_veg->addItems(vegTypes);
    if (initialVegType) {
        for (int i = 0; i < m_veg->count(); ++i) {
            if (CodeFromListText(m_veg->itemText(i)).compare(initialVegType->trimmed(), Qt::CaseInsensitive) == 0)
                m_veg->setCurrentIndex(i);
        }
    }
    m_veg->setEnabled(false);
    connect(m_sameVeg, &QCheckBox::toggled, m_veg, &QWidget::setEnabled);
    form->addRow(m_sameVeg, m_veg);
    m_count = new QSpinBox(this);
    m_count->setObjectName(QStringLiteral("spnMatchCount"));
    m_count->setRange(0, 100000);
    m_count->setSpecialValueText(QStringLiteral("all"));
    m_count->setValue(count);
    auto *countCaption = new QLabel(QStringLiteral("&List the nearest"), this);
    countCaption->setBuddy(m_count);
    form->addRow(countCaption, m_count);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_find = buttons->addButton(QStringLiteral("Find"), QDialogButtonBox::AcceptRole);
    m_find->setObjectName(QStringLiteral("cmdMatchFind"));
    m_find->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    updateFind();
}

frmMatchValues::Request frmMatchValues::request() const
{
    Request r;
    for (size_t m = 0; m < PhotoMatch::MeasureCount; ++m) {
        if (!m_use[m]->isChecked())
            continue;
        r.values[m] = ValueBoxes::number(m_value[m]);
    }
    if (m_sameVeg->isChecked() && m_veg->count() > 0)
        r.vegType = CodeFromListText(m_veg->currentText());
    r.count = m_count->value();
    return r;
}

void frmMatchValues::updateFind()
{
    // Find needs one ticked value that is a number.
    bool any = false;
    for (size_t m = 0; m < PhotoMatch::MeasureCount; ++m)
        any = any || (m_use[m]->isChecked() && m_value[m]->hasAcceptableInput());
    m_find->setEnabled(any);
}

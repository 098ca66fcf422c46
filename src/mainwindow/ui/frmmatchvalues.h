// SPDX-License-Identifier: GPL-3.0-or-later
// frmMatchValues: the values of a stand typed in to find the photos most like it.
#pragma once

#include "data/photomatch.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class frmMatchValues : public QDialog
{
    Q_OBJECT
public:
    struct Request {
        PhotoMatch::Values values;      // in the units shown; the ticked ones only
        std::optional<QString> vegType; // the code the photos must have, when "Same vegetation type" is ticked
        int count = 20;                 // how many of the nearest photos are listed; 0 all
    };

    // initial in the units shown (the current photo's values, or none); vegTypes are the list's entries
    // ("code-description") of the vegetation types the photos have.
    frmMatchValues(Units units, const PhotoMatch::Values &initial, const QStringList &vegTypes,
                   const std::optional<QString> &initialVegType, int count, QWidget *parent = nullptr);

    Request request() const;

private:
    void updateFind();

    std::array<QCheckBox *, PhotoMatch::MeasureCount> m_use{};
    std::array<QLineEdit *, PhotoMatch::MeasureCount> m_value{};
    QCheckBox *m_sameVeg = nullptr;
    QComboBox *m_veg = nullptr;
    QSpinBox *m_count = nullptr;
    QPushButton *m_find = nullptr;
};

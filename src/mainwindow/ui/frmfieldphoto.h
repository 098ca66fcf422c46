// SPDX-License-Identifier: GPL-3.0-or-later
// frmFieldPhoto: the values a user gives their own photo of a stand, typed beside it.
#pragma once

#include "present/fieldphoto.h"

#include <QStringList>
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

// A small window (not modal) that stays beside the main window while the field photo is open. Each edit is
// taken at once, so the Assistant and the matching follow what is typed.
class frmFieldPhoto : public QWidget
{
    Q_OBJECT
public:
    // vegTypes and activities are the lists' entries ("code-description") the user may pick from; any code may
    // be typed as well.
    frmFieldPhoto(const QStringList &vegTypes, const QStringList &activities, QWidget *parent = nullptr);

    // The photo's name, and its values (as stored) in the units shown.
    void showValues(const QString &label, const FieldPhoto::Values &values, Units units);
    // The values as typed, converted to the units stored; a box left empty or not holding a number gives none.
    FieldPhoto::Values values() const;

Q_SIGNALS:
    void valuesEdited();
    void closeRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_label = nullptr;
    std::array<QLineEdit *, 4> m_value{};
    std::array<QLabel *, 4> m_unit{};
    std::array<QLabel *, 4> m_caption{};
    QComboBox *m_veg = nullptr;
    QComboBox *m_activity = nullptr;
    Units m_units = Units::Imperial;
    // What showValues put into the boxes and the stored values it came from: a box left as it was gives its
    // value back exactly, not the rounded text it shows.
    std::array<QString, 4> m_shownTexts;
    std::array<OptionalNumber, 4> m_shownValues;
    bool m_showing = false; // the boxes are being filled, not edited
};

// SPDX-License-Identifier: GPL-3.0-or-later
// The field photo's values window: four numbers in the units shown and two codes.
#include "frmfieldphoto.h"

#include "data/queryparameters.h"
#include "mainwindow/ui/valueboxes.h"
#include "platform/scopeguards.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
const char *const kNames[PhotoMatch::MeasureCount] = {"Fine", "Coarse", "Duff", "Bed"};

QComboBox *codeBox(const QString &name, const QString &accessibleName, const QStringList &entries, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItem(QString());
    box->addItems(entries);
    box->setAccessibleName(accessibleName);
    return box;
}
} // namespace

frmFieldPhoto::frmFieldPhoto(const QStringList &vegTypes, const QStringList &activities, QWidget *parent)
    : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("frmFieldPhoto"));
    setWindowTitle(QStringLiteral("Field Photo Values"));
    auto *layout = new QVBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("lblFieldPhoto"));
    m_label->setAccessibleDescription(QStringLiteral("The field photo"));
    layout->addWidget(m_label);
    auto *grid = new QGridLayout;
    layout->addLayout(grid);
    for (int v = 0; v < 4; ++v) {
        auto *value = m_value[size_t(v)] =
            ValueBoxes::numberBox(QStringLiteral("txtField") + QLatin1String(kNames[v]), this);
        m_caption[size_t(v)] = new QLabel(this);
        m_caption[size_t(v)]->setBuddy(value);
        m_unit[size_t(v)] = new QLabel(this);
        grid->addWidget(m_caption[size_t(v)], v, 0);
        grid->addWidget(value, v, 1);
        grid->addWidget(m_unit[size_t(v)], v, 2);
        connect(value, &QLineEdit::textEdited, this, &frmFieldPhoto::valuesEdited);
    }
    m_veg = codeBox(QStringLiteral("cboFieldVeg"), QStringLiteral("Vegetation type"), vegTypes, this);
    m_activity = codeBox(QStringLiteral("cboFieldAct"), QStringLiteral("Activity type"), activities, this);
    const std::pair<const char *, QComboBox *> codes[] = {{"&Vegetation type", m_veg}, {"&Activity type", m_activity}};
    int row = 4;
    for (const auto &[text, box] : codes) {
        auto *label = new QLabel(QString::fromLatin1(text), this);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1, 1, 2);
        ++row;
        connect(box, &QComboBox::currentTextChanged, this, [this] {
            if (!m_showing)
                Q_EMIT valuesEdited();
        });
    }
    auto *close = new QPushButton(QStringLiteral("&Close Field Photo"), this);
    close->setObjectName(QStringLiteral("cmdCloseFieldPhoto"));
    connect(close, &QPushButton::clicked, this, &frmFieldPhoto::closeRequested);
    layout->addWidget(close, 0, Qt::AlignRight);
    showValues(QString(), {}, Units::Imperial);
}

void frmFieldPhoto::showValues(const QString &label, const FieldPhoto::Values &values, Units units)
{
    const BusyFlag showing(m_showing);
    m_units = units;
    m_label->setText(label);
    m_shownValues = {values.fine, values.coarse, values.duff, values.bed};
    const PhotoMatch::Values shown =
        PhotoMatch::shownValues({values.fine, values.coarse, values.duff, values.bed}, units);
    for (int v = 0; v < PhotoMatch::MeasureCount; ++v) {
        const auto measure = PhotoMatch::Measure(v);
        m_caption[size_t(v)]->setText(ValueBoxes::caption(measure, units));
        m_unit[size_t(v)]->setText(ValueBoxes::unit(measure, units));
        QLineEdit *box = m_value[size_t(v)];
        box->setAccessibleName(ValueBoxes::caption(measure, units).remove(QLatin1Char('&')));
        box->setAccessibleDescription(ValueBoxes::unit(measure, units));
        box->setText(ValueBoxes::text(shown[size_t(v)], measure));
        m_shownTexts[size_t(v)] = box->text();
    }
    const std::pair<QComboBox *, QString> codes[] = {{m_veg, values.vegType}, {m_activity, values.activity}};
    for (const auto &[box, code] : codes) {
        int found = -1;
        for (int i = 1; i < box->count() && found < 0 && !code.trimmed().isEmpty(); ++i) {
            if (CodeFromListText(box->itemText(i)).compare(code.trimmed(), Qt::CaseInsensitive) == 0)
                found = i;
        }
        if (found >= 0)
            box->setCurrentIndex(found);
        else
            box->setEditText(code);
    }
}

FieldPhoto::Values frmFieldPhoto::values() const
{
    // A box left as it was gives back the stored value it showed; an edited one is converted from the units shown.
    PhotoMatch::Values edited;
    for (size_t v = 0; v < PhotoMatch::MeasureCount; ++v) {
        if (m_value[v]->text() != m_shownTexts[v])
            edited[v] = ValueBoxes::number(m_value[v]);
    }
    PhotoMatch::Values stored = PhotoMatch::storedValues(edited, m_units);
    for (size_t v = 0; v < PhotoMatch::MeasureCount; ++v) {
        if (m_value[v]->text() == m_shownTexts[v])
            stored[v] = m_shownValues[v];
    }
    return {stored[PhotoMatch::Fine],
            stored[PhotoMatch::Coarse],
            stored[PhotoMatch::Duff],
            stored[PhotoMatch::Bed],
            CodeFromListText(m_veg->currentText()).trimmed(),
            CodeFromListText(m_activity->currentText()).trimmed()};
}

void frmFieldPhoto::closeEvent(QCloseEvent *event)
{
    // Closing the window keeps the photo and its values; a click on the photo shows the window again.
    event->accept();
}

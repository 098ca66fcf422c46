// SPDX-License-Identifier: GPL-3.0-or-later
// The field photo's values window: four numbers in the units shown and two codes.
#include "frmfieldphoto.h"

#include "data/numberformat.h"
#include "data/queryparameters.h"
#include "platform/scopeguards.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
const char *const kNames[4] = {"Fine", "Coarse", "Duff", "Bed"};

QString caption(int value, Units units)
{
    const bool metric = units == Units::Metric;
    switch (value) {
    case 0:
        return metric ? QStringLiteral("&0 to 7.4 cm loading") : QStringLiteral("&0\" to 2.9\" loading");
    case 1:
        return metric ? QStringLiteral("&7.6 cm+ loading") : QStringLiteral("&3\"+ loading");
    case 2:
        return QStringLiteral("&Duff depth");
    default:
        return QStringLiteral("&Fuel bed depth");
    }
}

QString unit(int value, Units units)
{
    const bool metric = units == Units::Metric;
    if (value < 2)
        return metric ? QStringLiteral("Mg/ha") : QStringLiteral("tons per acre");
    return metric ? QStringLiteral("cm") : QStringLiteral("inches");
}

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
        auto *value = m_value[size_t(v)] = new QLineEdit(this);
        value->setObjectName(QStringLiteral("txtField") + QLatin1String(kNames[v]));
        auto *validator = new QDoubleValidator(0, 1e9, 6, value);
        validator->setNotation(QDoubleValidator::StandardNotation);
        validator->setLocale(QLocale::c());
        value->setValidator(validator);
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
    const OptionalNumber shown[4] = {
        UnitConversion::loading(values.fine, units), UnitConversion::loading(values.coarse, units),
        UnitConversion::length(values.duff, units), UnitConversion::length(values.bed, units)};
    for (int v = 0; v < 4; ++v) {
        m_caption[size_t(v)]->setText(caption(v, units));
        m_unit[size_t(v)]->setText(unit(v, units));
        QLineEdit *box = m_value[size_t(v)];
        box->setAccessibleName(caption(v, units).remove(QLatin1Char('&')));
        box->setAccessibleDescription(unit(v, units));
        box->setText(shown[v] ? NumberFormat::picture(*shown[v], v < 2 ? u"####0.00" : u"###0.0").trimmed()
                              : QString());
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
    OptionalNumber typed[4];
    for (int v = 0; v < 4; ++v) {
        if (m_value[size_t(v)]->text() == m_shownTexts[size_t(v)]) {
            typed[v] = m_shownValues[size_t(v)];
            continue;
        }
        bool ok = false;
        const double number = QLocale::c().toDouble(m_value[size_t(v)]->text().trimmed(), &ok);
        if (ok && number >= 0)
            typed[v] = v < 2 ? UnitConversion::tonsPerAcre(number, m_units) : UnitConversion::inches(number, m_units);
    }
    return {typed[0],
            typed[1],
            typed[2],
            typed[3],
            CodeFromListText(m_veg->currentText()).trimmed(),
            CodeFromListText(m_activity->currentText()).trimmed()};
}

void frmFieldPhoto::closeEvent(QCloseEvent *event)
{
    // Closing the window keeps the photo and its values; a click on the photo shows the window again.
    event->accept();
}

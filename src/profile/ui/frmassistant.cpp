// SPDX-License-Identifier: GPL-3.0-or-later
// The Assistant's two pages: their labels, buttons and the texts they show.
#include "frmassistant.h"

#include "platform/colourcontrast.h"
#include "profile/profilefile.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace
{

const QString kInch = QStringLiteral("\"");
const QString kFineRow = QStringLiteral("0") + kInch + QStringLiteral(" - 2.9") + kInch;
const QString kCoarseRow = QStringLiteral("3") + kInch + QStringLiteral(" +");
// A photo label ("BOOK/PHOTO") has room for about a dozen characters and is shown cut beyond twice that: one
// that a profile file holds may be a megabyte, which would widen the window beyond the frame it sits in.
int photoLabelWidth(const QFontMetrics &metrics)
{
    return metrics.horizontalAdvance(QStringLiteral("NNNN-00/00"));
}

// The text, cut to the label's widest with an ellipsis; the whole text is then the label's tooltip and what a
// screen reader reads (up to a length one can listen to).
void showCut(QLabel *label, const QString &text)
{
    const int room = label->maximumWidth() - 2 * label->margin() - 2;
    const QString shown = label->fontMetrics().elidedText(text, Qt::ElideRight, room);
    label->setText(shown);
    const bool cut = shown != text;
    label->setToolTip(cut ? text : QString());
    label->setAccessibleName(cut ? text.left(1000) : QString());
}

// The compared rows of the first page: name, caption, whether a difference is shown.
struct ComparedRow {
    const char *name;
    QString caption;
    bool difference;
};

QLabel *caption(const QString &text, QWidget *parent, bool bold = false)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

// A row caption in metric units: the bounds in centimetres and the unit of the values.
QString metricCaption(const QString &imperial)
{
    static const QHash<QString, QString> captions = {
        {kFineRow, QStringLiteral("0 - 7.4 cm (Mg/ha)")},
        {kCoarseRow, QStringLiteral("7.6 cm + (Mg/ha)")},
        {QStringLiteral("Total"), QStringLiteral("Total (Mg/ha)")},
        {QStringLiteral("Duff Depth"), QStringLiteral("Duff Depth (cm)")},
        {QStringLiteral("Fuel Bed Depth"), QStringLiteral("Fuel Bed Depth (cm)")},
        {kFineRow + QStringLiteral(" TPA"), QStringLiteral("0 - 7.4 cm Mg/ha")},
        {QStringLiteral("3\" + TPA"), QStringLiteral("7.6 cm + Mg/ha")},
        {QStringLiteral("Total TPA"), QStringLiteral("Total Mg/ha")},
    };
    return captions.value(imperial, imperial);
}

// Close rows: the window floats over the frame's top corner, and the main window keeps that room free.
void compact(QGridLayout *grid)
{
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
}

QString indexed(const char *name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

} // namespace

frmAssistant::frmAssistant(QWidget *frame) : QWidget(frame, Qt::Tool)
{
    setObjectName(QStringLiteral("frmAssistant"));
    setWindowTitle(QStringLiteral("Fenwyx Assistants"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
}

void frmAssistant::ensureBuilt() const
{
    if (!m_tabs)
        const_cast<frmAssistant *>(this)->build();
}

void frmAssistant::build()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("TabAssistant"));
    m_tabs->addTab(createComparisonPage(), QStringLiteral("&Comparison Assistant"));
    m_tabs->addTab(createBuilderPage(), QStringLiteral("Profile &Builder Assistant"));
    layout()->addWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, &frmAssistant::pageChanged);

    // Every value label is made empty: photo 2 and the difference column start so.
    if (m_units != Units::Imperial)
        applyUnits();
    applyPages();
    if (m_summary)
        applySummary(m_summary->first, m_summary->second);
    if (m_profile)
        applyProfile(*m_profile);
    m_summary.reset();
    m_profile.reset();
}

void frmAssistant::setVisible(bool visible)
{
    if (visible)
        ensureBuilt();
    QWidget::setVisible(visible);
}

QTabWidget *frmAssistant::TabAssistant() const
{
    ensureBuilt();
    return m_tabs;
}

QLineEdit *frmAssistant::txtName() const
{
    ensureBuilt();
    return m_name;
}

QLabel *frmAssistant::label(const QString &name) const
{
    ensureBuilt();
    return m_values.value(name);
}

QPushButton *frmAssistant::button(const QString &name) const
{
    ensureBuilt();
    return findChild<QPushButton *>(name);
}

QLabel *frmAssistant::valueLabel(const QString &name, QLabel *row, const QString &what, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    m_values.insert(name, label);
    describe(label, row, what);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    label->setMargin(2);
    label->setMaximumWidth(2 * photoLabelWidth(label->fontMetrics()) + 2 * label->margin());
    return label;
}

int frmAssistant::valueWidth() const
{
    return fontMetrics().horizontalAdvance(QStringLiteral("00000.0")) + 8;
}

QLabel *frmAssistant::unitCaption(const QString &imperial, QWidget *parent)
{
    QLabel *label = caption(imperial, parent);
    m_unitCaptions.push_back({label, imperial});
    return label;
}

void frmAssistant::setUnits(Units units)
{
    m_units = units;
    if (m_tabs)
        applyUnits();
}

void frmAssistant::applyUnits()
{
    for (const auto &[label, imperial] : m_unitCaptions)
        label->setText(m_units == Units::Metric ? metricCaption(imperial) : imperial);
    for (const Described &d : m_described)
        applyDescription(d);
}

void frmAssistant::describe(QWidget *widget, QLabel *row, const QString &what)
{
    m_described.push_back({widget, row, what});
    applyDescription(m_described.back());
}

void frmAssistant::applyDescription(const Described &d)
{
    d.widget->setAccessibleDescription(d.row ? d.what.arg(d.row->text()) : d.what);
}

QPushButton *frmAssistant::makeButton(const QString &name, const QString &captionText, const QString &tip,
                                      QWidget *parent)
{
    auto *b = new QPushButton(captionText, parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

QWidget *frmAssistant::createComparisonPage()
{
    auto *page = new QWidget(this);
    auto *grid = new QGridLayout(page);
    compact(grid);
    grid->addWidget(caption(QStringLiteral("Photo 1"), page, true), 0, 1);
    grid->addWidget(caption(QStringLiteral("Photo 2"), page, true), 0, 2);
    grid->addWidget(caption(QStringLiteral("Difference"), page, true), 0, 3);
    for (int i = 0; i < 2; ++i) {
        QLabel *photo = valueLabel(indexed("lblPhoto", i), nullptr, QStringLiteral("Photo %1").arg(i + 1), page);
        photo->setAutoFillBackground(false);
        grid->addWidget(photo, 1, i + 1);
    }
    const ComparedRow rows[] = {
        {"lbl0to3", kFineRow, true},
        {"lbl3Plus", kCoarseRow, true},
        {"lblTotal", QStringLiteral("Total"), true},
        {"lblDuff", QStringLiteral("Duff Depth"), true},
        {"lblFuelBed", QStringLiteral("Fuel Bed Depth"), true},
        {"lblVegType", QStringLiteral("Vegetation Type"), false},
        {"lblActType", QStringLiteral("Activity"), false},
    };
    int r = 2;
    for (const ComparedRow &row : rows) {
        QLabel *rowCaption = unitCaption(row.caption, page);
        grid->addWidget(rowCaption, r, 0);
        for (int i = 0; i < (row.difference ? 3 : 2); ++i) {
            const QString who = i == 2 ? QStringLiteral("difference") : QStringLiteral("photo %1").arg(i + 1);
            grid->addWidget(valueLabel(indexed(row.name, i), rowCaption, QStringLiteral("%1, ") + who, page), r, i + 1);
        }
        ++r;
    }
    auto *hide = makeButton(QStringLiteral("cmdClose_0"), QStringLiteral("&Hide"),
                            QStringLiteral("Close Assistants window"), page);
    connect(hide, &QPushButton::clicked, this, &frmAssistant::hideRequested);
    grid->addWidget(hide, r, 3, Qt::AlignRight);
    grid->setRowStretch(r + 1, 1);
    grid->setColumnStretch(4, 1);
    // The value columns keep their width whatever they show; a label's own text sets the least room it needs.
    for (int column : {1, 2, 3})
        grid->setColumnMinimumWidth(column, valueWidth());
    return page;
}

QWidget *frmAssistant::createBuilderPage()
{
    auto *page = new QWidget(this);
    auto *grid = new QGridLayout(page);
    compact(grid);
    QLabel *current = valueLabel(QStringLiteral("lblCurrentPhoto"), nullptr, QStringLiteral("Current photo"), page);
    current->setAutoFillBackground(false);
    grid->addWidget(current, 0, 1);
    grid->addWidget(caption(QStringLiteral("Profile Values and Source"), page, true), 0, 3, 1, 3);

    struct BuilderRow {
        const char *component; // the suffix of the row's controls
        QString caption;
        QString profileCaption;
        int code; // ProfileComponent of its "Add >" button; -1 for the total
        const char *addTip;
        int key; // the access keys of its buttons: Alt+key for "Add >", Alt+key+4 for "Display Photo"
    };
    const char *one = "Use the value on the left for your profile";
    const char *many = "Use the values on the left for your profile";
    const BuilderRow rows[] = {
        {"0to3", kFineRow, kFineRow + QStringLiteral(" TPA"), Component0to3, one, Qt::Key_1},
        {"3Plus", kCoarseRow, QStringLiteral("3") + kInch + QStringLiteral(" + TPA"), Component3Plus, one, Qt::Key_2},
        {"Total", QStringLiteral("Total"), QStringLiteral("Total TPA"), -1, nullptr, 0},
        {"Duff", QStringLiteral("Duff Depth"), QStringLiteral("Duff Depth"), ComponentDuff, many, Qt::Key_3},
        {"FuelBed", QStringLiteral("Fuel Bed Depth"), QStringLiteral("Fuel Bed Depth"), ComponentFuelBed, many,
         Qt::Key_4},
    };
    int r = 1;
    for (const BuilderRow &row : rows) {
        const QString suffix = QString::fromLatin1(row.component);
        QLabel *rowCaption = unitCaption(row.caption, page);
        grid->addWidget(rowCaption, r, 0);
        grid->addWidget(
            valueLabel(QStringLiteral("lblCur") + suffix, rowCaption, QStringLiteral("%1, current photo"), page), r, 1);
        QLabel *profileCaption = unitCaption(row.profileCaption, page);
        if (row.code >= 0) {
            auto *add = makeButton(QStringLiteral("cmdSelect") + suffix, QStringLiteral("Add >"),
                                   QString::fromLatin1(row.addTip), page);
            describe(add, rowCaption, QStringLiteral("Add %1 to the profile"));
            // Four buttons of one caption cannot each have a letter of it: the rows are numbered instead.
            add->setShortcut(QKeySequence(Qt::ALT | Qt::Key(row.key)));
            const int code = row.code;
            connect(add, &QPushButton::clicked, this, [this, code] { Q_EMIT componentAdded(code); });
            grid->addWidget(add, r, 2);
        }
        grid->addWidget(profileCaption, r, 3);
        grid->addWidget(
            valueLabel(QStringLiteral("lblPro") + suffix, profileCaption, QStringLiteral("%1, profile"), page), r, 4);
        if (row.code >= 0) {
            QLabel *source =
                valueLabel(QStringLiteral("lblPL") + suffix, profileCaption, QStringLiteral("%1, source photo"), page);
            source->setAutoFillBackground(false);
            grid->addWidget(source, r, 5);
            auto *go = makeButton(QStringLiteral("cmdGo") + suffix, QStringLiteral("Display Photo"),
                                  QStringLiteral("Make the source photo active"), page);
            describe(go, profileCaption, QStringLiteral("Display the source photo of %1"));
            go->setShortcut(QKeySequence(Qt::ALT | Qt::Key(row.key + 4)));
            connect(go, &QPushButton::clicked, this,
                    [this, source] { Q_EMIT sourceRequested(m_sources.value(source, source->text())); });
            grid->addWidget(go, r, 6);
        }
        ++r;
    }

    QLabel *nameCaption = caption(QStringLiteral("Profile Na&me"), page);
    grid->addWidget(nameCaption, r, 0);
    m_name = new QLineEdit(QStringLiteral("Untitled"), page);
    nameCaption->setBuddy(m_name);
    m_name->setObjectName(QStringLiteral("txtName"));
    // A line edit's own limit (32767) would cut a longer name that a profile file holds.
    m_name->setMaxLength(int(ProfileFile::kMaxFileSize));
    m_name->setAccessibleName(QStringLiteral("Profile Name"));
    m_name->setToolTip(QStringLiteral("A desriptive name for your profile"));
    grid->addWidget(m_name, r, 1, 1, 6);
    connect(m_name, &QLineEdit::textChanged, this, &frmAssistant::nameChanged);
    ++r;

    auto *buttons = new QHBoxLayout;
    struct Command {
        const char *name;
        const char *caption;
        const char *tip;
        void (frmAssistant::*signal)();
    };
    const Command commands[] = {
        {"cmdNew", "&New Profile", "Start a new profile", &frmAssistant::newProfileRequested},
        {"cmdLoad", "&Load Profile", "Open an existing profile", &frmAssistant::loadProfileRequested},
        {"CmdSave", "&Save Profile", "Save current values", &frmAssistant::saveProfileRequested},
        {"cmdSaveAs", "Save Profile &As", "Save the current profile with a different name",
         &frmAssistant::saveProfileAsRequested},
        {"cmdNotes", "N&otes...", "Enter text related to this profile", &frmAssistant::notesRequested},
        {"cmdClose_1", "&Hide", "Close Assistant's window", &frmAssistant::hideRequested},
    };
    for (const Command &command : commands) {
        QPushButton *b = makeButton(QString::fromLatin1(command.name), QString::fromLatin1(command.caption),
                                    QString::fromLatin1(command.tip), page);
        connect(b, &QPushButton::clicked, this, command.signal);
        buttons->addWidget(b);
    }
    grid->addLayout(buttons, r, 0, 1, 7);
    grid->setRowStretch(r + 1, 1);
    for (int column : {1, 4})
        grid->setColumnMinimumWidth(column, valueWidth());
    // A usual source label takes no more room than the window has from the start.
    grid->setColumnMinimumWidth(5, photoLabelWidth(fontMetrics()) + 4);
    return page;
}

void frmAssistant::highlight(const QString &name, AssistantSummary::Highlight highlight)
{
    QLabel *target = label(name);
    if (!target)
        return;
    m_highlights.insert(name, highlight);
    QPalette palette = target->palette();
    switch (highlight) {
    case AssistantSummary::Yellow:
        palette.setColor(QPalette::Window, QColor(255, 255, 0));
        palette.setColor(QPalette::WindowText, Qt::black);
        break;
    case AssistantSummary::Light3D: {
        const QColor light = this->palette().color(QPalette::Midlight);
        palette.setColor(QPalette::Window, light);
        palette.setColor(QPalette::WindowText,
                         ColourContrast::readableText(light, this->palette().color(QPalette::WindowText)));
        break;
    }
    case AssistantSummary::NoHighlight:
        palette = this->palette();
        break;
    }
    target->setPalette(palette);
}

void frmAssistant::showSummary(const AssistantSummary &summary, int currentSlot)
{
    if (m_tabs)
        applySummary(summary, currentSlot);
    else
        m_summary = {summary, currentSlot};
}

void frmAssistant::applySummary(const AssistantSummary &s, int currentSlot)
{
    for (int i = 0; i < 2; ++i) {
        QLabel *photo = label(indexed("lblPhoto", i));
        QFont font = photo->font();
        font.setBold(i == currentSlot);
        photo->setFont(font);
        showCut(photo, s.lblPhoto[size_t(i)]);
        label(indexed("lblVegType", i))->setText(s.lblVegType[size_t(i)]);
        label(indexed("lblActType", i))->setText(s.lblActType[size_t(i)]);
    }
    const std::pair<const char *, const AssistantSummary::Compared *> compared[] = {
        {"lbl0to3", &s.lbl0to3}, {"lbl3Plus", &s.lbl3Plus},     {"lblTotal", &s.lblTotal},
        {"lblDuff", &s.lblDuff}, {"lblFuelBed", &s.lblFuelBed},
    };
    for (const auto &[name, row] : compared) {
        for (int i = 0; i < 2; ++i) {
            label(indexed(name, i))->setText(row->value[size_t(i)].text);
            highlight(indexed(name, i), row->value[size_t(i)].highlight);
        }
        label(indexed(name, 2))->setText(row->difference);
    }
    showCut(label(QStringLiteral("lblCurrentPhoto")), s.lblCurrentPhoto);
    label(QStringLiteral("lblCur0to3"))->setText(s.lblCur0to3);
    label(QStringLiteral("lblCur3Plus"))->setText(s.lblCur3Plus);
    label(QStringLiteral("lblCurTotal"))->setText(s.lblCurTotal);
    label(QStringLiteral("lblCurDuff"))->setText(s.lblCurDuff);
    label(QStringLiteral("lblCurFuelBed"))->setText(s.lblCurFuelBed);
}

void frmAssistant::showProfile(const ProfileDisplay &display)
{
    setWindowTitle(display.caption);
    if (m_tabs)
        applyProfile(display);
    else
        m_profile = display;
}

void frmAssistant::applyProfile(const ProfileDisplay &d)
{
    label(QStringLiteral("lblPro0to3"))->setText(d.lblPro0to3);
    label(QStringLiteral("lblPro3Plus"))->setText(d.lblPro3Plus);
    label(QStringLiteral("lblProTotal"))->setText(d.lblProTotal);
    label(QStringLiteral("lblProDuff"))->setText(d.lblProDuff);
    label(QStringLiteral("lblProFuelBed"))->setText(d.lblProFuelBed);
    const std::pair<const char *, const QString *> sources[] = {
        {"lblPL0to3", &d.lblPL0to3},
        {"lblPL3Plus", &d.lblPL3Plus},
        {"lblPLDuff", &d.lblPLDuff},
        {"lblPLFuelBed", &d.lblPLFuelBed},
    };
    for (const auto &[name, text] : sources) {
        QLabel *source = label(QString::fromLatin1(name));
        m_sources.insert(source, *text);
        showCut(source, *text);
    }
    // Typing is not disturbed when the text is the same already.
    if (m_name->text() != d.txtName)
        m_name->setText(d.txtName);
}

void frmAssistant::setPages(const std::array<bool, 2> &on, int current)
{
    m_pagesOn = on;
    m_page = current;
    if (m_tabs)
        applyPages();
}

void frmAssistant::applyPages()
{
    const std::array<bool, 2> &on = m_pagesOn;
    const int current = m_page;
    // Pages are switched on before the current one is chosen and off after, so that the tab strip never
    // moves away from a page about to be switched off on its own.
    for (int page = 0; page < 2; ++page) {
        if (on[size_t(page)])
            m_tabs->setTabEnabled(page, true);
    }
    m_tabs->setCurrentIndex(current);
    for (int page = 0; page < 2; ++page) {
        if (!on[size_t(page)])
            m_tabs->setTabEnabled(page, false);
    }
}

void frmAssistant::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    raise();
    Q_EMIT visibilityChanged(true);
}

void frmAssistant::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    Q_EMIT visibilityChanged(false);
}

void frmAssistant::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The highlights take their "3D light" and its text from the theme; a new theme needs them again.
    if (event->type() == QEvent::PaletteChange) {
        const QHash<QString, AssistantSummary::Highlight> highlights = m_highlights;
        for (auto it = highlights.cbegin(); it != highlights.cend(); ++it)
            highlight(it.key(), it.value());
    }
}

void frmAssistant::closeEvent(QCloseEvent *event)
{
    // The close box hides the window as its "Hide" buttons do; it is never unloaded during a run.
    event->ignore();
    Q_EMIT hideRequested();
}

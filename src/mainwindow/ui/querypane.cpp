// SPDX-License-Identifier: GPL-3.0-or-later
// The query pane's pages, its list filling and the Search, All Photos and close buttons.
#include "querypane.h"

#include "data/itemroles.h"
#include "data/queryparameters.h"
#include "data/resultsmodel.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/flowlayout.h"
#include "mainwindow/ui/picker.h"
#include "platform/scopeguards.h"
#include "platform/ui/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QToolButton>

namespace
{

const QString kInch = QStringLiteral("\"");
const QString kSelectValues = QStringLiteral("Press to select values");

// The wait pointer for as long as it lives.
QLabel *caption(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

} // namespace

QueryPane::QueryPane(ProgramState &state, QWidget *parent) : QWidget(parent), m_state(state)
{
    setObjectName(QStringLiteral("QueryPane"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tab = new QTabWidget(this);
    m_tab->setObjectName(QStringLiteral("tabQuery"));
    m_tab->setDocumentMode(false);
    layout->addWidget(m_tab);

    m_vegAct = createVegActFrame();
    m_tab->addTab(createBookPage(), QStringLiteral("Query by Book(s)"));
    m_tab->addTab(createTotalPage(), QStringLiteral(" Query by Total Loading"));
    m_tab->addTab(createSizePage(), QStringLiteral("Query by 0") + kInch + QStringLiteral("-2.9") + kInch +
                                        QStringLiteral(" and 3") + kInch + QStringLiteral("+ Loading"));
    m_tab->addTab(createModelsPage(), QStringLiteral("Query by Fuel Model(s)"));
    m_vegActSlots[1]->addWidget(m_vegAct);
    m_vegActHolders[2]->hide();
    // In a narrow window the page tabs scroll rather than widen the pane.
    m_tab->setUsesScrollButtons(true);

    connect(m_tab, &QTabWidget::currentChanged, this, [this](int index) {
        const int old = m_currentTab;
        m_currentTab = index;
        tabQuery_Switch(old, index);
    });
}

QueryPane::~QueryPane() = default;

void QueryPane::setPickerHost(QWidget *host)
{
    for (Picker *picker : m_pickers)
        picker->setHost(host);
}

QComboBox *QueryPane::createRangeList(const QString &name)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(name);
    // Editable through a line edit of its own: the combo box then makes its drop-down list when it is first
    // opened rather than now. The entries are whole numbers after a blank, which completing what is typed
    // could never match: the line edit holds a placeholder while the combo box takes it (so that the combo
    // box makes no completer of its own) and none afterwards.
    if (!m_noCompletion)
        m_noCompletion = new QCompleter(this);
    auto *edit = new QLineEdit(combo);
    edit->setCompleter(m_noCompletion);
    combo->setLineEdit(edit);
    edit->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setToolTip(kSelectValues);
    combo->setMinimumContentsLength(5);
    // Pasted text must be digits too; the lists' own entries carry a leading blank.
    combo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\s*[0-9]*\\s*")), combo));
    combo->installEventFilter(this);
    combo->lineEdit()->installEventFilter(this);
    return combo;
}

QWidget *QueryPane::createPageButtons(QWidget *page, int index, int closeIndex)
{
    auto *block = new QWidget(page);
    auto *grid = new QGridLayout(block);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    // Access keys: Alt+S, Alt+A and Alt+E reach the buttons of the page that is shown.
    auto *search = new QPushButton(QStringLiteral("&Search"), block);
    search->setObjectName(QStringLiteral("cmdSearch_%1").arg(index));
    search->setToolTip(QStringLiteral("Press to query photos"));
    auto *all = new QPushButton(QStringLiteral("&All Photos"), block);
    all->setObjectName(QStringLiteral("cmdAll_%1").arg(index));
    all->setToolTip(QStringLiteral("Get all installed photos"));
    auto *erase = m_erase[size_t(index)] = new QCheckBox(QStringLiteral("&Erase Displayed Photo(s)"), block);
    erase->setObjectName(QStringLiteral("chkErase_%1").arg(index));
    erase->setToolTip(QStringLiteral("Check to erase current photo after query"));
    erase->setChecked(true);
    auto *close = new QToolButton(block);
    close->setObjectName(QStringLiteral("cmdCloseQuery_%1").arg(closeIndex));
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setToolTip(QStringLiteral("Close Query Window"));
    close->setAccessibleName(QStringLiteral("Close Query Window")); // a picture only: a screen reader needs a name
    grid->addWidget(search, 0, 0);
    grid->addWidget(all, 0, 1);
    grid->addWidget(close, 0, 2, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(erase, 1, 0, 1, 3);
    connect(search, &QPushButton::clicked, this, [this, index] { cmdSearch_Click(index); });
    // Enter anywhere on the page searches, as in a form; a focused push or tool button is pressed instead.
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto *enter = new QShortcut(key, page, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(enter, &QShortcut::activated, this, [this, index, search] {
            auto *button = qobject_cast<QAbstractButton *>(QApplication::focusWidget());
            if (button && button != search && !qobject_cast<QCheckBox *>(button))
                button->click();
            else
                cmdSearch_Click(index);
        });
    }
    connect(all, &QPushButton::clicked, this, [this, index] { cmdAll_Click(index); });
    connect(close, &QToolButton::clicked, this, [this, closeIndex] { cmdCloseQuery_Click(closeIndex); });
    return block;
}

QWidget *QueryPane::createBookPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("vseQuerytab_0"));
    auto *flow = new FlowLayout(page);
    flow->setContentsMargins(6, 4, 6, 4);
    auto *book = new QWidget(page);
    auto *row = new QHBoxLayout(book);
    row->setContentsMargins(0, 0, 0, 0);
    m_book = new QComboBox(book);
    m_book->setObjectName(QStringLiteral("cboBook"));
    m_book->setMinimumContentsLength(32);
    m_book->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_book->installEventFilter(this);
    connect(m_book, &QComboBox::currentIndexChanged, this, &QueryPane::updateBookTip);
    row->addWidget(caption(QStringLiteral("Select Book"), book), 0, Qt::AlignTop);
    row->addWidget(m_book, 0, Qt::AlignTop);
    flow->addWidget(book);
    flow->addWidget(createPageButtons(page, 0, 0));
    return page;
}

QWidget *QueryPane::createTotalPage()
{
    return createLoadingPage(1, 3, {{QStringLiteral("Total Loading"), QStringLiteral("cboTotalLoad")}});
}

QWidget *QueryPane::createSizePage()
{
    return createLoadingPage(
        2, 2,
        {{QStringLiteral("0") + kInch + QStringLiteral(" - 2.9") + kInch, QStringLiteral("cbo0to3")},
         {QStringLiteral("3") + kInch + QStringLiteral(" Plus"), QStringLiteral("cbo3Plus")}});
}

QWidget *QueryPane::createLoadingPage(int index, int closeIndex, const std::vector<std::pair<QString, QString>> &ranges)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("vseQuerytab_%1").arg(index));
    auto *flow = new FlowLayout(page);
    flow->setContentsMargins(6, 4, 6, 4);
    auto *block = new QWidget(page);
    auto *grid = new QGridLayout(block);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    // The pages' range lists follow one another in m_ranges: page 1 holds the first pair, page 2 the others.
    size_t first = index == 1 ? 0 : 2;
    for (int r = 0; r < int(ranges.size()); ++r, first += 2) {
        const auto &[label, name] = ranges[size_t(r)];
        m_ranges[first] = createRangeList(name + QStringLiteral("_0"));
        m_ranges[first + 1] = createRangeList(name + QStringLiteral("_1"));
        grid->addWidget(caption(label, block), r, 0);
        grid->addWidget(m_ranges[first], r, 1);
        grid->addWidget(caption(QStringLiteral("to"), block), r, 2);
        grid->addWidget(m_ranges[first + 1], r, 3);
        grid->addWidget(caption(QStringLiteral("tons per acre"), block), r, 4);
    }
    if (ranges.size() == 1)
        grid->setRowStretch(1, 1);
    flow->addWidget(block);
    // The place of the vegetation and activity frame: empty, and so hidden, while the other page holds it.
    auto *holder = m_vegActHolders[size_t(index)] = new QWidget(page);
    m_vegActSlots[size_t(index)] = new QHBoxLayout(holder);
    m_vegActSlots[size_t(index)]->setContentsMargins(0, 0, 0, 0);
    flow->addWidget(holder);
    flow->addWidget(createPageButtons(page, index, closeIndex));
    return page;
}

QFrame *QueryPane::createVegActFrame()
{
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("freVegAct"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    m_pickers[VegPicker] = new Picker(Picker::Kind::CheckBoxes, QStringLiteral("VegType"),
                                      {QStringLiteral("All Vegetation  Types"), QStringLiteral("All Vegetation Types"),
                                       QStringLiteral(" Veg Types Selected"), QStringLiteral(" Veg Types Selected")},
                                      frame);
    m_pickers[ActPicker] = new Picker(Picker::Kind::CheckBoxes, QStringLiteral("ActType"),
                                      {QStringLiteral("All Activities"), QStringLiteral("All Activities"),
                                       QStringLiteral(" Act Types Selected"), QStringLiteral(" Activities Selected")},
                                      frame);
    const QString captions[] = {QStringLiteral("Vegetation Types"), QStringLiteral("Activity")};
    for (int r = 0; r < 2; ++r) {
        Picker *picker = m_pickers[size_t(r)];
        grid->addWidget(caption(captions[r], frame), r, 0);
        grid->addWidget(picker->label(), r, 1);
        grid->addWidget(picker->button(), r, 2);
    }
    return frame;
}

QWidget *QueryPane::createModelsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("vseQuerytab_3"));
    auto *flow = new FlowLayout(page);
    flow->setContentsMargins(6, 4, 6, 4);
    auto *block = new QWidget(page);
    auto *grid = new QGridLayout(block);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    m_pickers[BehavePicker] =
        new Picker(Picker::Kind::MultipleSelection, QStringLiteral("FireBehave"),
                   {QStringLiteral("All Fire Behavior Models"), QStringLiteral("All Fire Behavior Models"),
                    QStringLiteral(" Models Selected"), QStringLiteral(" Models Selected")},
                   block);
    m_pickers[DangerPicker] =
        new Picker(Picker::Kind::MultipleSelection, QStringLiteral("DangerRating"),
                   {QStringLiteral("All Danger Rating Models"), QStringLiteral("All Danger Rating Models"),
                    QStringLiteral(" Models Selected"), QStringLiteral(" Models Selected")},
                   block);
    const QString captions[] = {QStringLiteral("Fire Behavior"), QStringLiteral("Danger Rating")};
    const Picker *pickers[] = {m_pickers[BehavePicker], m_pickers[DangerPicker]};
    for (int r = 0; r < 2; ++r) {
        grid->addWidget(caption(captions[r], block), r, 0);
        grid->addWidget(pickers[r]->label(), r, 1);
        grid->addWidget(pickers[r]->button(), r, 2);
    }
    flow->addWidget(block);
    flow->addWidget(createPageButtons(page, 3, 1));
    return page;
}

void QueryPane::LoadQueryParameters()
{
    StatusReporter &status = m_state.status;
    status.ShowStatus(StatusInfo, QStringLiteral("Loading Query Parameters ..."));
    closePickers();
    PhotoLibrary &library = m_state.library;
    // Without a database the lists are those of an empty table; start-up reports the missing database.
    const QueryParameters p =
        QueryParameters::load(library.database(), m_state.programFolder, nullptr, m_state.modes.state().units);

    m_book->clear();
    for (const BookEntry &book : p.books) {
        m_book->addItem(book.text, book.id ? QVariant(*book.id) : QVariant());
        if (!book.label.isNull()) // "All Books" names no book
            m_book->setItemData(m_book->count() - 1, book.label, ItemRoles::BookLabelRole);
        m_book->setItemData(m_book->count() - 1, book.text, Qt::ToolTipRole);
    }
    m_book->setCurrentIndex(0);
    updateBookTip();

    for (size_t r = 0; r < QueryParameters::RangeCount; ++r) {
        for (size_t i = 0; i < 2; ++i) {
            QComboBox *combo = m_ranges[2 * r + i];
            combo->clear();
            combo->addItems(p.ranges[r]);
            combo->setCurrentIndex(i == 0 ? 0 : combo->count() - 1);
        }
    }

    Q_EMIT codeTextsLoaded(p.codeTexts());
    m_pickers[VegPicker]->setEntries(p.codes[QueryParameters::VegType], false);
    m_pickers[ActPicker]->setEntries(p.codes[QueryParameters::Activity], false);
    m_pickers[DangerPicker]->setEntries(p.codes[QueryParameters::DangerRating], true);
    m_pickers[BehavePicker]->setEntries(p.codes[QueryParameters::FireBehave], true);
    const int baseWidth = twips(this, 2400);
    for (int i : {VegPicker, ActPicker})
        m_pickers[size_t(i)]->setListWidth(std::max(baseWidth, m_pickers[size_t(i)]->widthForEntries()));
    // Both model lists share one fixed width that shows the longer of their entries.
    const int modelWidth =
        std::max({baseWidth, m_pickers[DangerPicker]->widthForEntries(), m_pickers[BehavePicker]->widthForEntries()});
    m_pickers[DangerPicker]->setListWidth(modelWidth);
    m_pickers[BehavePicker]->setListWidth(modelWidth);
    // A code file that could not be used leaves its codes without descriptions: the user is told which and why.
    if (p.problems.isEmpty())
        status.ShowStatus(StatusClear, QStringLiteral(" "));
    else
        status.ShowStatus(StatusError, p.problems.join(QStringLiteral("; ")));
}

QueryCriteria QueryPane::criteria() const
{
    QueryCriteria c;
    c.units = m_state.modes.state().units;
    c.bookText = m_book->currentText();
    const QVariant id = m_book->currentData();
    if (id.isValid())
        c.bookId = id.toLongLong();
    if (const QVariant label = m_book->currentData(ItemRoles::BookLabelRole); label.isValid())
        c.bookLabel = label.toString();
    QString *texts[] = {&c.totalFrom, &c.totalTo, &c.fineFrom, &c.fineTo, &c.coarseFrom, &c.coarseTo};
    for (size_t i = 0; i < m_ranges.size(); ++i)
        *texts[i] = m_ranges[i]->currentText();
    c.vegTypes = m_pickers[VegPicker]->chosenRawValues();
    c.activities = m_pickers[ActPicker]->chosenRawValues();
    c.dangerRatings = m_pickers[DangerPicker]->chosenRawValues();
    c.fireBehaves = m_pickers[BehavePicker]->chosenRawValues();
    return c;
}

bool QueryPane::RunQuery(int kind)
{
    StatusReporter &status = m_state.status;
    PhotoLibrary &library = m_state.library;
    status.ShowStatus(StatusInfo, QStringLiteral("Query Running..."));
    QString error;
    bool ok = false;
    {
        const WaitCursor wait;
        ok = ::RunQuery(library, kind, criteria(), &error);
        if (ok) {
            Q_EMIT queryRan();
            status.ShowStatus(StatusClear, QStringLiteral(" "));
        }
    }
    if (!ok) {
        // The count first: setting it clears the message line, which must go on showing the problem.
        const PhotoSetPtr current = library.currentPhotoSet();
        status.ShowStatus(StatusCount,
                          QString::number(current ? current->size() : 0) + QStringLiteral(" photos found"));
        status.ShowStatus(StatusError, QStringLiteral("Query problem: ") + error);
    }
    return ok;
}

void QueryPane::cmdSearch_Click(int index)
{
    if (index < 0 || index > 3)
        return;
    if (index < 3)
        RunQuery(index);
    else if (m_pickers[BehavePicker]->list()->count() > 0 && m_pickers[DangerPicker]->list()->count() > 0)
        RunQuery(3);
    eraseStep(index);
}

void QueryPane::cmdAll_Click(int index)
{
    if (index < 0 || index > 3)
        return;
    RunQuery(QueryCriteria::AllPhotos);
    eraseStep(index);
}

bool QueryPane::eraseAfterSearch() const
{
    return m_erase[size_t(qBound(0, m_tab->currentIndex(), 3))]->isChecked();
}

void QueryPane::eraseStep(int index)
{
    if (!m_erase[size_t(index)]->isChecked())
        return;
    Q_EMIT eraseStepRequested();
}

void QueryPane::cmdCloseQuery_Click(int)
{
    Q_EMIT closeQueryRequested();
}

void QueryPane::tabQuery_Switch(int, int newTab)
{
    closePickers();
    if (newTab != 1 && newTab != 2)
        return;
    m_vegActSlots[size_t(newTab)]->addWidget(m_vegAct);
    m_vegActHolders[size_t(newTab)]->show();
    m_vegActHolders[size_t(3 - newTab)]->hide();
    m_vegAct->show();
    m_vegAct->raise();
}

void QueryPane::closePickers()
{
    for (Picker *picker : m_pickers)
        picker->close();
}

void QueryPane::hideEvent(QHideEvent *event)
{
    closePickers();
    QWidget::hideEvent(event);
}

void QueryPane::shrinkVegetationList(bool byKey)
{
    Picker *veg = m_pickers[VegPicker];
    const QWidget *focus = QApplication::focusWidget();
    if (byKey && focus && (focus == veg->list() || veg->list()->isAncestorOf(focus)))
        return;
    veg->shrink();
}

void QueryPane::updateBookTip()
{
    // The whole text of a book whose label and description the box has to cut.
    const QString text = m_book->currentText();
    QStyleOptionComboBox option;
    option.initFrom(m_book);
    const QRect room =
        m_book->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, m_book);
    m_book->setToolTip(m_book->fontMetrics().horizontalAdvance(text) > room.width() ? text : QString());
}

bool QueryPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_book) {
        if (event->type() == QEvent::Resize)
            updateBookTip();
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        // Range lists take digits and backspace only; keys that type nothing (arrows, Tab) are left alone.
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        if (text.isEmpty() || key->key() == Qt::Key_Backspace)
            return false;
        const QChar c = text.at(0);
        return c.isPrint() && !(c >= u'0' && c <= u'9');
    }
    return QWidget::eventFilter(watched, event);
}

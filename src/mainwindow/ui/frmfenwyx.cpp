// The main window: its regions, toolbar, menus and the results list.
#include "frmfenwyx.h"

#include "data/resultsmodel.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/querypane.h"
#include "mainwindow/ui/resultslistview.h"
#include "mainwindow/ui/toolbaricons.h"
#include "present/ui/photopanes.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace
{

// Form_KeyPress and Form_MouseDown: every key pressed in the window, whichever child has the focus, and
// every press that reaches the window's own background.
class FormInput : public QObject
{
public:
    FormInput(frmFenwyx &form, QueryPane &pane) : QObject(&form), m_form(form), m_pane(pane) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type != QEvent::KeyPress && type != QEvent::MouseButtonPress) || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (type == QEvent::KeyPress && (widget == &m_form || m_form.isAncestorOf(widget))) {
            m_pane.shrinkVegetationList(true);
            m_form.state().status.ShowStatus(StatusClear, QString());
        } else if (type == QEvent::MouseButtonPress && widget == &m_form) {
            m_pane.shrinkVegetationList(false);
        }
        return false;
    }

private:
    frmFenwyx &m_form;
    QueryPane &m_pane;
};

} // namespace

frmFenwyx::frmFenwyx(ProgramState &state, QWidget *parent)
    : QWidget(parent), m_state(state), m_results(new ResultsModel(this))
{
    setObjectName(QStringLiteral("frmFenwyx"));
    setWindowTitle(QStringLiteral(" Browsing Photos"));
    createActions();
    createToolbar();
    createLayout();
    PhotoPanes::install(*this);
    qApp->installEventFilter(new FormInput(*this, *QueryPane::install(*this)));
}

frmFenwyx::~frmFenwyx() = default;

QAction *frmFenwyx::addMenuAction(QMenu *menu, const QString &name, const QString &caption)
{
    auto *action = menu->addAction(caption);
    action->setObjectName(name);
    m_actions.insert(name, action);
    return action;
}

void frmFenwyx::createActions()
{
    auto addMenu = [this](const QString &name, const QString &caption) {
        auto *menu = new QMenu(caption, this);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        m_menus.append(menu);
        return menu;
    };
    auto separator = [this](QMenu *menu, const QString &name) {
        QAction *bar = menu->addSeparator();
        bar->setObjectName(name);
        m_actions.insert(name, bar);
    };

    QMenu *file = addMenu(QStringLiteral("mnuFile"), QStringLiteral("File"));
    addMenuAction(file, QStringLiteral("mnuPrinterSetup"), QStringLiteral("Printer Setup"));
    addMenuAction(file, QStringLiteral("mnuMP"), QStringLiteral("Manage Photo Series"));
    separator(file, QStringLiteral("mnubar2"));
    QAction *exit = addMenuAction(file, QStringLiteral("mnuExit"), QStringLiteral("Exit"));
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &frmFenwyx::exitRequested);

    QMenu *view = addMenu(QStringLiteral("mnuView"), QStringLiteral("View"));
    QAction *listView = addMenuAction(view, QStringLiteral("mnuListView"), QStringLiteral("List View"));
    QAction *iconView = addMenuAction(view, QStringLiteral("mnuIconView"), QStringLiteral("IconView"));
    listView->setCheckable(true);
    iconView->setCheckable(true);
    listView->setChecked(true);
    connect(listView, &QAction::triggered, this, [this] { SetResultsView(3); });
    connect(iconView, &QAction::triggered, this, [this] { SetResultsView(2); });
    separator(view, QStringLiteral("mnubar1"));
    QAction *assistants = addMenuAction(view, QStringLiteral("mnuAssistants"), QStringLiteral("Assistants"));
    assistants->setCheckable(true);
    assistants->setEnabled(false);

    QMenu *reports = addMenu(QStringLiteral("mnuReports"), QStringLiteral("Reports"));
    addMenuAction(reports, QStringLiteral("mnuPrintPhoto"), QStringLiteral("Print Selected Photo/Data"));
    addMenuAction(reports, QStringLiteral("mnuPrintComparsion"), QStringLiteral("Print Photo Comparison "))
        ->setEnabled(false);
    addMenuAction(reports, QStringLiteral("mnuFuelProfilePrint"), QStringLiteral("Print Current Fuel Profile"))
        ->setEnabled(false);

    QMenu *tools = addMenu(QStringLiteral("mnuTools"), QStringLiteral("Tools"));
    QAction *query = addMenuAction(tools, QStringLiteral("mnuQuery"), QStringLiteral("Query"));
    query->setCheckable(true);
    query->setChecked(true);
    connect(query, &QAction::triggered, this, [this](bool checked) { SetQueryPaneClosed(checked ? 0 : 1); });
    addMenuAction(tools, QStringLiteral("mnuCompare"), QStringLiteral("Compare Photo Series"))->setCheckable(true);
    addMenuAction(tools, QStringLiteral("mnuProfileBuilder"), QStringLiteral("Fuel Profile Builder"))
        ->setCheckable(true);

    QMenu *help = addMenu(QStringLiteral("mnuHelp"), QStringLiteral("Help"));
    addMenuAction(help, QStringLiteral("mnuHelpContents"), QStringLiteral("Help Contents"))
        ->setShortcut(QKeySequence::HelpContents);
    addMenuAction(help, QStringLiteral("mnuWeb"), QStringLiteral("Web Based Support"));
    addMenuAction(help, QStringLiteral("mnuAbout"), QStringLiteral("About"));
}

void frmFenwyx::createToolbar()
{
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("barMain"));
    m_toolbar->setIconSize(QSize(24, 24));
    struct Button {
        const char *key;
        const char *image; // the picture named after the button
        bool checkable;
        bool pressed;
        const char *tip;
    };
    const Button buttons[] = {
        {"Query", "Query", true, true, "Close Query Window"},
        {"Compare", "Compare", true, false, "Open Compare Mode"},
        {"Builder", "Builder", true, false, "Open Builder Mode"},
        {"Assistant", "Assistant", true, false, "Hide Assistant"},
        {nullptr, nullptr, false, false, nullptr},
        {"Icon", "IconView", true, false, "View Photos as Icons"},
        {"List", "listview", true, true, "View Photos as List"},
        {nullptr, nullptr, false, false, nullptr},
        {"Exit", "Exit", false, false, "Exit Fenwyx"},
        {nullptr, nullptr, false, false, nullptr},
        {"Help", "Help", false, false, "Press here for Help"},
    };
    auto *viewGroup = new QActionGroup(this);
    for (const Button &b : buttons) {
        if (!b.key) {
            m_toolbar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        QAction *action = m_toolbar->addAction(toolbarIcon(QString::fromLatin1(b.image)), key);
        action->setObjectName(QStringLiteral("barMain_") + key);
        action->setToolTip(QString::fromLatin1(b.tip));
        action->setCheckable(b.checkable);
        action->setChecked(b.pressed);
        m_toolButtons.insert(key, action);
        if (key == QLatin1String("Icon") || key == QLatin1String("List"))
            viewGroup->addAction(action);
    }
    m_toolButtons.value(QStringLiteral("Assistant"))->setEnabled(false);
    connect(m_toolButtons.value(QStringLiteral("Exit")), &QAction::triggered, this, &frmFenwyx::exitRequested);
    connect(m_toolButtons.value(QStringLiteral("Icon")), &QAction::triggered, this, [this] { SetResultsView(2); });
    connect(m_toolButtons.value(QStringLiteral("List")), &QAction::triggered, this, [this] { SetResultsView(3); });
    connect(m_toolButtons.value(QStringLiteral("Query")), &QAction::triggered, this,
            [this](bool pressed) { SetQueryPaneClosed(pressed ? 0 : 1); });
}

void frmFenwyx::createLayout()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *toolbarRegion = new QWidget(this);
    toolbarRegion->setObjectName(QStringLiteral("vseToolBar"));
    auto *toolbarLayout = new QHBoxLayout(toolbarRegion);
    toolbarLayout->setContentsMargins(0, 0, 0, 0);
    toolbarLayout->addWidget(m_toolbar);
    outer->addWidget(toolbarRegion);

    m_query = new QWidget(this);
    m_query->setObjectName(QStringLiteral("vseQuery"));
    auto *queryLayout = new QVBoxLayout(m_query);
    queryLayout->setContentsMargins(2, 2, 2, 2);
    outer->addWidget(m_query);

    m_main = new QSplitter(Qt::Vertical, this);
    m_main->setObjectName(QStringLiteral("vseMain"));
    m_main->setChildrenCollapsible(false);
    outer->addWidget(m_main, 1);

    auto *browse = new QWidget(m_main);
    browse->setObjectName(QStringLiteral("vseBrowse"));
    auto *browseLayout = new QHBoxLayout(browse);
    browseLayout->setContentsMargins(0, 0, 0, 0);
    auto *listRegion = new QWidget(browse);
    listRegion->setObjectName(QStringLiteral("vseList"));
    auto *listLayout = new QVBoxLayout(listRegion);
    listLayout->setContentsMargins(0, 0, 0, 0);
    m_list = new ResultsListView(m_results, listRegion);
    listLayout->addWidget(m_list);
    browseLayout->addWidget(listRegion, 1);
    auto *browseControl = m_browseControl = new QWidget(browse);
    browseControl->setObjectName(QStringLiteral("vseBrowseControl"));
    auto *browseButtons = new QVBoxLayout(browseControl);
    browseButtons->setContentsMargins(2, 2, 2, 2);
    browseButtons->addStretch(1);
    browseLayout->addWidget(browseControl);

    auto *below = m_below = new QWidget(m_main);
    below->setObjectName(QStringLiteral("vseBelow"));
    auto *belowLayout = new QHBoxLayout(below);
    belowLayout->setContentsMargins(0, 0, 0, 0);

    m_main->addWidget(browse);
    m_main->addWidget(below);
    m_main->setStretchFactor(0, 2);
    m_main->setStretchFactor(1, 3);

    connect(m_list, &ResultsListView::itemClicked, this, &frmFenwyx::lstPhotos_ItemClick);
}

void frmFenwyx::InitMainWindow()
{
    m_state.status.ShowStatus(StatusInfo, QStringLiteral("Initializing ..."));
    m_state.profile.NewProfile();
    SetResultsView(3);
    FillResultsList();
    m_state.status.ShowStatus(StatusClear, QStringLiteral(" "));
}

void frmFenwyx::FillResultsList()
{
    LastItemKey.clear();
    const PhotoSetPtr photos = m_state.library.currentPhotoSet();
    m_results->FillResultsList(photos);
    m_state.status.ShowStatus(StatusCount, QString::number(photos->size()) + QStringLiteral(" photos found"));
}

void frmFenwyx::SelectResult(int n)
{
    const int row = n - 1;
    if (row < 0 || row >= m_results->rowCount())
        return;
    m_list->selectRow(row);
    lstPhotos_ItemClick(row);
}

void frmFenwyx::lstPhotos_ItemClick(int row)
{
    const PhotoRecord *photo = m_results->photoAt(row);
    if (!photo || photo->key() == LastItemKey)
        return;
    LastItemKey = photo->key();
    if (showSelectedPhoto)
        showSelectedPhoto(row);
}

void frmFenwyx::SetResultsView(int view)
{
    if (view != 2 && view != 3)
        return;
    m_list->setView(view);
    m_actions.value(QStringLiteral("mnuIconView"))->setChecked(view == 2);
    m_actions.value(QStringLiteral("mnuListView"))->setChecked(view == 3);
    m_toolButtons.value(QStringLiteral("Icon"))->setChecked(view == 2);
    m_toolButtons.value(QStringLiteral("List"))->setChecked(view == 3);
}

void frmFenwyx::SetQueryPaneClosed(int closed)
{
    m_actions.value(QStringLiteral("mnuQuery"))->setChecked(closed == 0);
    m_toolButtons.value(QStringLiteral("Query"))->setChecked(closed == 0);
    m_query->setVisible(closed == 0);
}

void frmFenwyx::keyPressEvent(QKeyEvent *event)
{
    // The status line was cleared when the key was pressed (FormInput).
    QWidget::keyPressEvent(event);
}

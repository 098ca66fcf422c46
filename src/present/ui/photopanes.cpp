// Showing photos in the panes, the slot layout, the browse buttons and the view window.
#include "photopanes.h"

#include "data/resultsmodel.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/frmfenwyx.h"
#include "mainwindow/ui/resultslistview.h"
#include "platform/scopeguards.h"
#include "platform/ui/twips.h"
#include "present/datasheetmodel.h"
#include "present/photodata.h"
#include "present/ui/frmview.h"
#include "present/ui/loadinggraph.h"
#include "present/ui/photopane.h"
#include "present/ui/picturebox.h"
#include "shell/ui/frmdefaultwarn.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>

namespace
{

const QString kCantLoad = QStringLiteral("Can't load image.") + QLatin1Char('\n') + QStringLiteral("Check disk drive.");
// The fitting loop stops here at the latest, however narrow the pane.
constexpr double kMinimumFitFactor = 0.05;

} // namespace

PhotoPanes *PhotoPanes::install(frmFenwyx &form)
{
    auto *panes = new PhotoPanes(form, form.state());
    panes->setParent(&form);
    return panes;
}

PhotoPanes::PhotoPanes(frmFenwyx &form, ProgramState &state) : m_form(form), m_state(state)
{
    setObjectName(QStringLiteral("PhotoPanes"));
    buildPanes();
    buildBrowseButtons();
    driveWarning = [this](const QString &photoDirectory) {
        return frmDefaultWarn::ask(photoDirectory, m_form.window());
    };
    form.showSelectedPhoto = [this](int row) { ShowSelectedPhoto(row); };
    form.setCompareLayout = [this](int mode) { SetCompareLayout(mode); };
    form.selectSlot = [this](int slot) { SelectSlot(slot); };
    form.slotHasPhoto = [this](int slot) { return SlotHasPhoto(slot); };
    form.compareLayout = [this] { return m_state.photoSlots.CompareLayout; };
    if (QAction *manage = form.action(QStringLiteral("mnuMP")))
        connect(manage, &QAction::triggered, this, [this] { ManagePhotoSeries(); });
    SetCompareLayout(0);
}

void PhotoPanes::buildPanes()
{
    QWidget *below = m_form.belowRegion();
    auto *column = new QWidget(below);
    column->setObjectName(QStringLiteral("vseTab"));
    auto *columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->setSpacing(0);
    m_tabs = new QTabBar(column);
    m_tabs->setObjectName(QStringLiteral("tabControl"));
    m_tabs->addTab(QStringLiteral("<"));
    m_tabs->addTab(QStringLiteral(">"));
    m_tabs->addTab(QString());
    m_tabs->setTabEnabled(2, false);
    m_tabs->setExpanding(false);
    columnLayout->addWidget(m_tabs);
    auto *row = new QHBoxLayout;
    row->setSpacing(2);
    for (int s = 0; s < 2; ++s) {
        auto *pane = new PhotoPane(s, column);
        m_panes[size_t(s)] = pane;
        row->addWidget(pane, 1);
        connect(pane, &PhotoPane::clicked, this, &PhotoPanes::FocusSlotTab);
        connect(pane, &PhotoPane::resized, this, &PhotoPanes::vsePane_RealignFrame);
    }
    columnLayout->addLayout(row, 1);
    if (auto *layout = qobject_cast<QBoxLayout *>(below->layout()))
        layout->addWidget(column, 1);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_settingTab)
            SelectSlot(index);
    });
}

void PhotoPanes::buildBrowseButtons()
{
    QWidget *region = m_form.browseControlRegion();
    auto *layout = qobject_cast<QBoxLayout *>(region->layout());
    auto make = [region](const char *name, const char *caption, const char *tag) {
        auto *button = new QPushButton(QString::fromLatin1(caption), region);
        button->setObjectName(QString::fromLatin1(name));
        button->setProperty("tag", QString::fromLatin1(tag));
        return button;
    };
    m_browseData = make("vseBrowseData", "Data", "Browse Data");
    m_browseGraph = make("vseBrowseGraph", "Graph", "Browse Graph");
    m_view = make("vseView_4", "View", "View");
    m_browseData->setCheckable(true);
    m_browseGraph->setCheckable(true);
    int at = 0;
    for (QPushButton *button : {m_browseData, m_browseGraph, m_view}) {
        if (layout)
            layout->insertWidget(at++, button);
    }
    connect(m_browseData, &QPushButton::clicked, this,
            [this] { SwitchPaneView(m_browseData->property("tag").toString(), 0); });
    connect(m_browseGraph, &QPushButton::clicked, this, [this] {
        if (m_browseGraph->isEnabled())
            SwitchPaneView(m_browseGraph->property("tag").toString(), 0);
    });
    connect(m_view, &QPushButton::clicked, this, [this] { vseView_Click(4); });
}

frmView *PhotoPanes::viewWindow() const
{
    return m_viewWindow.data();
}

bool PhotoPanes::SlotHasPhoto(int slot) const
{
    return m_state.photoSlots.SlotHasPhoto(slot);
}

void PhotoPanes::closeSplash()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("frmSplash") && window->isVisible())
            window->close();
    }
}

void PhotoPanes::ShowSelectedPhoto(int row)
{
    if (m_showing)
        return;
    const BusyFlag busy(m_showing);
    PhotoSlots &photoSlots = m_state.photoSlots;
    PhotoDirectory &directory = m_state.photoDirectory;
    const PhotoRecord *item = m_form.resultsModel()->photoAt(row);
    if (!item || item->dataPic.isEmpty())
        return;
    const qint64 id = item->id;
    const QString key = item->key();
    const QString itemLabel = item->label();
    const int s = photoSlots.CurrentSlot == 1 ? 1 : 0;
    PhotoPane *target = pane(s);
    target->grdselect()->setCurrentIndex(QModelIndex());

    // Path and drive step: ask while an absolute photo directory cannot be read.
    bool skipDirectory = directory.DriveChoice == PhotoDirectory::SearchLocalOnly;
    while (!skipDirectory && !directory.isReadable()) {
        closeSplash();
        // An earlier answer must not stand for this one: closing the window means "local, this time".
        directory.DriveChoice = driveWarning ? driveWarning(directory.value()) : PhotoDirectory::NoAnswer;
        if (directory.DriveChoice == PhotoDirectory::Retry)
            continue;
        if (directory.DriveChoice == PhotoDirectory::ManagePhotoSeries) {
            ManagePhotoSeries();
            continue;
        }
        skipDirectory = true;
    }

    // Data step first, so that nothing is shown of a photo whose rows cannot be read.
    QString error;
    std::optional<PhotoSlotState> next = PhotoData::read(m_state.library.database(), id, &error);
    if (!next) {
        m_form.LastItemKey.clear();
        m_state.status.ShowStatus(StatusError,
                                  QStringLiteral("Can't show photo ") + itemLabel + QStringLiteral(": ") + error);
        return;
    }

    // Picture step: a picture that cannot be loaded touches only the picture.
    const ImageResolver resolver(directory, m_state.programFolder);
    const ImageResolver::Result found = resolver.resolve(*next->photo, ImageResolver::Photo, skipDirectory);
    PictureBox *picture = target->picPreviewPhoto();
    QString message;
    if (found.path.isEmpty()) {
        next->ImageSource = ImageNowhere;
        picture->clear();
        message = resolver.noPictureMessage();
    } else {
        next->ImageSource = found.source;
        picture->clear();
        target->showNoPicMessage(QStringLiteral("Retrieving Image..."));
        // Drawn at once, without letting input events in.
        target->lblNoPic()->repaint();
        const WaitCursor wait;
        if (!picture->loadPicture(found.path))
            message = kCantLoad;
    }

    // Commit the slot as one.
    photoSlots.states[size_t(s)] = std::move(*next);
    const PhotoSlotState &shown = photoSlots.states[size_t(s)];
    target->lblSelectedPhoto()->setText(shown.label);
    target->showNoPicMessage(message);
    target->sheetModel()->setSheet(shown.sheet);
    target->fitGrid(photoSlots.CompareLayout == 1);
    target->chtTotal()->DrawLoadingGraph(shown.sheet);
    showPaneControls();
    updatePrintComparison();
    m_form.LastItemKey = key;
    // The list was refilled if the photo manager ran: then the photo is found again by its ID.
    const PhotoRecord *listed = m_form.resultsModel()->photoAt(row);
    const int listRow = listed && listed->id == id ? row : m_form.resultsModel()->rowOfKey(key);
    if (listRow >= 0 && m_form.resultsList()->currentRow() != listRow)
        m_form.resultsList()->selectRow(listRow);
    ShowAssistantSummary();
}

void PhotoPanes::ManagePhotoSeries()
{
    QStringList problems;
    if (!RunAndWait(m_state.services.processes, QStringLiteral("photomgr.exe"), m_state.programFolder))
        problems << QStringLiteral("Can't start the photo manager (photomgr)");
    m_state.photoDirectory.ReadPhotoDirectory(m_state.services.settings, m_state.services.drives,
                                              m_state.programFolder);
    QString error;
    if (!m_state.library.ReopenPhotoDatabase(&error))
        problems << QStringLiteral("Can't open the photo database: ") + error;
    m_form.FillResultsList();
    if (m_form.loadQueryParameters)
        m_form.loadQueryParameters();
    if (!problems.isEmpty())
        m_state.status.ShowStatus(StatusError, problems.join(QStringLiteral("; ")));
}

AssistantSummary PhotoPanes::ShowAssistantSummary()
{
    const AssistantSummary summary = m_state.photoSlots.summary();
    Q_EMIT summaryChanged(summary);
    return summary;
}

void PhotoPanes::updatePrintComparison()
{
    if (QAction *print = m_form.action(QStringLiteral("mnuPrintComparsion")))
        print->setEnabled(m_state.photoSlots.canPrintComparison());
}

void PhotoPanes::setTabSilently(int index)
{
    const BusyFlag silent(m_settingTab);
    m_tabs->setCurrentIndex(index);
}

void PhotoPanes::colourPanes()
{
    const PhotoSlots &photoSlots = m_state.photoSlots;
    for (int s = 0; s < 2; ++s)
        pane(s)->setActive(photoSlots.CompareLayout == 1 && photoSlots.CurrentSlot == s);
}

void PhotoPanes::SelectSlot(int slot)
{
    if (slot < 0 || slot > 1)
        return;
    m_state.photoSlots.CurrentSlot = slot;
    colourPanes();
    ShowAssistantSummary();
}

void PhotoPanes::FocusSlotTab(int index)
{
    if (m_state.photoSlots.CompareLayout == 1 && (index == 0 || index == 1))
        m_tabs->setCurrentIndex(index);
}

void PhotoPanes::SetCompareLayout(int mode)
{
    PhotoSlots &photoSlots = m_state.photoSlots;
    photoSlots.LayoutPressingImage = false;
    PhotoPane *left = pane(0);
    PhotoPane *right = pane(1);
    if (mode == 1) {
        photoSlots.CurrentSlot = 1;
        photoSlots.CompareLayout = 1;
        // The right slot starts empty: its row, paths and sheet go with its controls.
        photoSlots.clear(1);
        right->lblSelectedPhoto()->clear();
        right->picPreviewPhoto()->clear();
        right->sheetModel()->setSheet(DataSheet{});
        right->chtTotal()->clearGraph();
        right->showNoPicMessage(QStringLiteral("Select a photo from the list"));
        left->grdselect()->setParent(left);
        left->chtTotal()->setParent(left);
        photoSlots.LayoutPressingImage = true;
        m_paneView = {ViewImage, ViewImage};
        photoSlots.LayoutPressingImage = false;
        m_tabs->setEnabled(true);
        setTabSilently(1);
        SelectSlot(1);
    } else if (mode == 0) {
        photoSlots.CompareLayout = 0;
        // The single layout shows the left photo's sheet or graph in the right pane.
        left->grdselect()->setParent(right);
        left->chtTotal()->setParent(right);
        setTabSilently(2);
        m_tabs->setEnabled(false);
        photoSlots.CurrentSlot = 0;
        colourPanes();
        m_browseView = ViewGraph; // so that pressing Data switches
        SwitchPaneView(QStringLiteral("Browse Data"), 0);
    }
    showPaneControls();
    vsePane_RealignFrame(); // fits the grids too
    updatePrintComparison();
}

void PhotoPanes::showPaneControls()
{
    const bool compare = m_state.photoSlots.CompareLayout == 1;
    for (int s = 0; s < 2; ++s) {
        PhotoPane *p = pane(s);
        const bool paneInUse = compare || s == 0;
        const PaneView view = compare ? m_paneView[size_t(s)] : (s == 0 ? ViewImage : m_browseView);
        p->lblSelectedPhoto()->setVisible(paneInUse);
        p->picPreviewPhoto()->setVisible(paneInUse && view == ViewImage);
        p->lblNoPic()->setVisible(paneInUse && view == ViewImage && !p->lblNoPic()->text().isEmpty());
        if (compare) {
            p->grdselect()->setVisible(view == ViewData);
            p->chtTotal()->setVisible(view == ViewGraph);
        } else if (s == 0) {
            p->grdselect()->setVisible(m_browseView == ViewData);
            p->chtTotal()->setVisible(m_browseView == ViewGraph);
        } else {
            p->grdselect()->hide();
            p->chtTotal()->hide();
        }
        p->grdselect()->raise();
        p->chtTotal()->raise();
    }
}

void PhotoPanes::SwitchPaneView(const QString &mode, int slot)
{
    if (PaneSwitchBusy)
        return;
    const BusyFlag busy(PaneSwitchBusy);
    if (mode == QLatin1String("View")) {
        if (slot != 0 && slot != 1)
            return;
        const ImageResolver resolver(m_state.photoDirectory, m_state.programFolder);
        if (!m_viewWindow)
            m_viewWindow = new frmView(m_state, m_form.window());
        m_viewWindow->show();
        m_viewWindow->raise();
        m_viewWindow->activateWindow();
        m_viewWindow->showImages(m_state.photoSlots.paths(slot, resolver));
        return;
    }
    PaneView view;
    if (mode == QLatin1String("Browse Data"))
        view = ViewData;
    else if (mode == QLatin1String("Browse Graph"))
        view = ViewGraph;
    else
        return;
    // A two-way switch: the button of the current view cannot be pressed again.
    m_browseView = view;
    m_browseData->setEnabled(view != ViewData);
    m_browseData->setChecked(view == ViewData);
    m_browseGraph->setEnabled(view != ViewGraph);
    m_browseGraph->setChecked(view == ViewGraph);
    showPaneControls();
}

void PhotoPanes::vseView_Click(int index)
{
    int slot = -1;
    if (index == 0 || index == 1 || index == 4)
        slot = 0;
    else if (index == 2 || index == 3)
        slot = 1;
    else
        return;
    if (!SlotHasPhoto(slot)) {
        m_state.status.ShowStatus(StatusError, QStringLiteral("Can't view, no photo selected"));
        return;
    }
    SwitchPaneView(QStringLiteral("View"), slot);
}

void PhotoPanes::vsePane_RealignFrame()
{
    for (int i = 0; i < 2; ++i) {
        if (i == 1 && m_state.photoSlots.CompareLayout == 0)
            continue;
        PhotoPane *p = pane(i);
        PictureBox *picture = p->picPreviewPhoto();
        const int limit = p->width() - twips(p, 235);
        double f = 0.9;
        int height = 0;
        int width = 0;
        do {
            height = int(f * p->height());
            width = int(height * 1.37);
            f -= 0.01;
        } while (width >= limit && f > kMinimumFitFactor);
        const QRect place(twips(p, 130), twips(p, 270), std::max(width, 1), std::max(height, 1));
        picture->setGeometry(place);
        p->lblNoPic()->setGeometry(place);
        // The graph takes the picture's place, widened to its pane so that the legend's texts are not cut.
        LoadingGraph *chart = p->chtTotal();
        const int paneWidth = chart->parentWidget() ? chart->parentWidget()->width() : p->width();
        chart->setGeometry(
            QRect(place.topLeft(), QSize(std::max(place.width(), paneWidth - 2 * place.left()), place.height())));
    }
    for (int s = 0; s < 2; ++s)
        pane(s)->fitGrid(m_state.photoSlots.CompareLayout == 1);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Wiring the working windows together and running the main window's commands.
#include "maincontroller.h"

#include "data/codefile.h"
#include "data/queryparameters.h"
#include "data/resultsexport.h"
#include "data/resultsmodel.h"
#include "data/ui/frmsummary.h"
#include "help/helpcommands.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/frmfenwyx.h"
#include "mainwindow/ui/frmfieldphoto.h"
#include "mainwindow/ui/frmmatchvalues.h"
#include "mainwindow/ui/maincommands.h"
#include "mainwindow/ui/querypane.h"
#include "mainwindow/ui/resultslistview.h"
#include "mainwindow/ui/welcomepane.h"
#include "platform/dialogs.h"
#include "platform/processrunner.h"
#include "platform/scopeguards.h"
#include "platform/settingsstore.h"
#include "platform/ui/guardeddialogs.h"
#include "platform/ui/twips.h"
#include "present/fieldphoto.h"
#include "present/imageloader.h"
#include "present/imageresolver.h"
#include "present/photodata.h"
#include "present/photodisplay.h"
#include "present/ui/comparebuttons.h"
#include "present/ui/frmview.h"
#include "present/ui/photopanes.h"
#include "print/reportcommands.h"
#include "profile/profileexport.h"
#include "profile/ui/frmassistant.h"
#include "profile/ui/frmnotes.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSet>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

namespace
{

const QString kNoPhotoToPrint = QStringLiteral("Can't print, no photo selected");

// Until the printing layer is in place its commands say so.
class UnavailableReports : public ReportCommands
{
public:
    explicit UnavailableReports(StatusReporter &status) : m_status(status) {}
    void PrinterSetup() override { say(); }
    void printPhotoReport(const PhotoSlotState &) override { say(); }
    void printComparisonReport(const PhotoSlotState &, const PhotoSlotState &) override { say(); }
    void printFuelProfileReport(const FuelProfile &) override { say(); }
    bool previewReports() const override { return false; }
    void setPreviewReports(bool) override { say(); }
    void setUnits(Units) override {}

private:
    void say() { m_status.ShowStatus(StatusError, QStringLiteral("Printing is not available yet")); }
    StatusReporter &m_status;
};

class UnavailableHelp : public HelpCommands
{
public:
    explicit UnavailableHelp(StatusReporter &status) : m_status(status) {}
    void helpContents() override { say(); }
    void webSupport() override { say(); }
    void about() override { say(); }

private:
    void say() { m_status.ShowStatus(StatusError, QStringLiteral("Help is not available yet")); }
    StatusReporter &m_status;
};

} // namespace

MainController::MainController(ProgramState &state, MDIMain *frame)
    : m_state(state), m_frame(frame), m_window(new frmFenwyx(state, frame)), m_assistant(new frmAssistant(frame)),
      m_unavailableReports(std::make_unique<UnavailableReports>(state.status)),
      m_unavailableHelp(std::make_unique<UnavailableHelp>(state.status)), m_reports(m_unavailableReports.get()),
      m_help(m_unavailableHelp.get()), m_ownsWindows(frame == nullptr)
{
    setObjectName(QStringLiteral("MainController"));
    if (frame) {
        frame->setMainWindow(m_window, commands().menus());
        frame->setCloseQuestion(this);
        connect(frame, &MDIMain::minimizedChanged, this, &MainController::frameMinimized);
        frame->installEventFilter(this);
    }
    m_assistant->installEventFilter(this);
    connectWindows();
    connectWindowState();
    connectCommands();
    connectAssistant();
    SetCompareLayout(0);
}

MainController::~MainController()
{
    if (m_splitterSave.isActive())
        saveSplitter();
    if (m_frame)
        m_frame->setCloseQuestion(nullptr);
    // Without a frame the controller owns its windows; with one, the frame does.
    if (m_ownsWindows) {
        delete m_notes.data();
        delete m_view.data();
        delete m_assistant.data();
        delete m_window.data();
    }
}

MainCommands &MainController::commands() const
{
    return m_window->commands();
}

PhotoPanes *MainController::photoPanes() const
{
    return m_window->photoPanes();
}

BrowseButtons *MainController::browseButtons() const
{
    return m_window->browseButtons();
}

QueryPane *MainController::queryPane() const
{
    return m_window->queryPane();
}

ResultsModel *MainController::resultsModel() const
{
    return m_window->resultsModel();
}

ResultsListView *MainController::resultsList() const
{
    return m_window->resultsList();
}

void MainController::setReports(ReportCommands *reports)
{
    m_reports = reports ? reports : m_unavailableReports.get();
    refresh();
}

void MainController::setDialogGuard(GuardedDialogs *guard)
{
    if (guard)
        guard->hideAroundModal(m_assistant);
}

void MainController::connectWindows()
{
    connect(&m_state.modes, &WindowModes::changed, this, &MainController::refresh);
    connect(resultsList(), &ResultsListView::itemClicked, this, &MainController::lstPhotos_ItemClick);

    QueryPane *query = queryPane();
    connect(query, &QueryPane::queryRan, this, &MainController::FillResultsList);
    connect(query, &QueryPane::eraseStepRequested, this, &MainController::eraseStep);
    connect(query, &QueryPane::closeQueryRequested, this, &MainController::queryCommand);
    connect(query, &QueryPane::codeTextsLoaded, resultsModel(), &ResultsModel::setCodeTexts);
    connect(m_window->filterBox(), &QLineEdit::textChanged, this, &MainController::FilterResults);
    connect(m_window, &frmFenwyx::filterFocused, resultsModel(), &ResultsModel::prepareFilter);
    connect(m_window, &frmFenwyx::keyPressed, this, [this] {
        queryPane()->shrinkVegetationList(true);
        // While the welcome shows, the message is the only word on why the window is empty.
        if (!m_window->welcomeShown())
            m_state.status.ShowStatus(StatusClear, QString());
    });
    WelcomePane *welcome = m_window->welcomePane();
    connect(welcome, &WelcomePane::installSeriesClicked, this, &MainController::ManagePhotoSeries);
    connect(welcome, &WelcomePane::installSampleClicked, this, &MainController::installSampleSeries);
    connect(welcome, &WelcomePane::photoFolderClicked, this, &MainController::photoFolderCommand);
    connect(welcome, &WelcomePane::helpClicked, this,
            [this] { m_help->helpTopic(QStringLiteral("photoseries.html")); });
    connect(m_window, &frmFenwyx::backgroundPressed, this, [this] { queryPane()->shrinkVegetationList(false); });

    PhotoPanes *panes = photoPanes();
    connect(panes, &PhotoPanes::paneClicked, this, &MainController::FocusSlotTab);
    connect(panes, &PhotoPanes::findSimilarRequested, this, &MainController::findSimilarToSlot);
    connect(resultsList(), &ResultsListView::findSimilarRequested, this, [this](int row) {
        if (const PhotoRecord *photo = resultsModel()->photoAt(row))
            findSimilarTo(*photo);
    });
    connect(panes, &PhotoPanes::tabChosen, this, &MainController::FocusSlotTab);
    connect(panes, &PhotoPanes::compareClicked, this, &MainController::compareButton_Click);
    connect(panes, &PhotoPanes::viewClicked, this, &MainController::vseView_Click);
    BrowseButtons *browse = browseButtons();
    connect(browse, &BrowseButtons::browseClicked, this, [this](PaneView view) {
        SwitchPaneView(view == PaneView::Data ? QStringLiteral("Browse Data") : QStringLiteral("Browse Graph"), 0);
    });
    connect(browse, &BrowseButtons::compareClicked, this, &MainController::compareButton_Click);
    connect(browse, &BrowseButtons::viewClicked, this, &MainController::vseView_Click);
}

void MainController::connectWindowState()
{
    // A drag moves the splitter many times; its place is written once it rests, or when the window goes.
    m_splitterSave.setSingleShot(true);
    m_splitterSave.setInterval(500);
    connect(&m_splitterSave, &QTimer::timeout, this, &MainController::saveSplitter);
    connect(m_window->mainRegion(), &QSplitter::splitterMoved, &m_splitterSave, qOverload<>(&QTimer::start));
    connect(resultsModel(), &ResultsModel::sortChanged, this, [this](int column, Qt::SortOrder order) {
        saveWindowSetting(QStringLiteral("SortColumn"), QString::number(column));
        saveWindowSetting(QStringLiteral("SortOrder"),
                          order == Qt::DescendingOrder ? QStringLiteral("descending") : QStringLiteral("ascending"));
    });
    connect(queryPane()->tabQuery(), &QTabWidget::currentChanged, this,
            [this](int page) { saveWindowSetting(QStringLiteral("QueryPage"), QString::number(page)); });
}

void MainController::connectCommands()
{
    MainCommands &c = commands();
    connect(c.mnuPrinterSetup, &QAction::triggered, this, &MainController::printerSetupCommand);
    connect(c.mnuMP, &QAction::triggered, this, &MainController::ManagePhotoSeries);
    connect(c.mnuPhotoFolder, &QAction::triggered, this, &MainController::photoFolderCommand);
    connect(c.mnuOpenFieldPhoto, &QAction::triggered, this, &MainController::openFieldPhotoCommand);
    connect(c.mnuCloseFieldPhoto, &QAction::triggered, this, &MainController::closeFieldPhoto);
    connect(c.mnuExportResults, &QAction::triggered, this, &MainController::exportResultsCommand);
    connect(c.mnuFindSimilar, &QAction::triggered, this, &MainController::findSimilarCommand);
    connect(c.mnuMatchValues, &QAction::triggered, this, &MainController::matchValuesCommand);
    connect(c.mnuExportProfile, &QAction::triggered, this, &MainController::exportProfileCommand);
    connect(c.mnuExit, &QAction::triggered, this, &MainController::exitCommand);
    connect(c.mnuListView, &QAction::triggered, this, [this] { SetResultsView(3); });
    connect(c.mnuIconView, &QAction::triggered, this, [this] { SetResultsView(2); });
    connect(c.mnuAssistants, &QAction::triggered, this, &MainController::assistantsCommand);
    connect(c.mnuPrintPhoto, &QAction::triggered, this, &MainController::printPhotoCommand);
    connect(c.mnuPrintComparsion, &QAction::triggered, this, &MainController::printComparisonCommand);
    connect(c.mnuFuelProfilePrint, &QAction::triggered, this, &MainController::printProfileCommand);
    connect(c.mnuPreviewReports, &QAction::triggered, this, [this](bool on) {
        m_reports->setPreviewReports(on);
        refresh();
    });
    connect(c.mnuQuery, &QAction::triggered, this, &MainController::queryCommand);
    connect(c.mnuCompare, &QAction::triggered, this, &MainController::compareCommand);
    connect(c.mnuProfileBuilder, &QAction::triggered, this, &MainController::builderCommand);
    connect(c.mnuHelpContents, &QAction::triggered, this, [this] { m_help->helpContents(); });
    connect(c.mnuWeb, &QAction::triggered, this, [this] { m_help->webSupport(); });
    connect(c.mnuAbout, &QAction::triggered, this, [this] { m_help->about(); });
    connect(c.mnuMetric, &QAction::triggered, this,
            [this](bool on) { SetUnits(on ? Units::Metric : Units::Imperial); });
    connect(c.mnuSummary, &QAction::triggered, this, &MainController::summaryCommand);
    const auto listChanged = [this] { commands().updateListCommands(resultsModel()->rowCount()); };
    connect(resultsModel(), &QAbstractItemModel::modelReset, this, listChanged);
    connect(resultsModel(), &QAbstractItemModel::rowsInserted, this, listChanged);
    connect(resultsModel(), &QAbstractItemModel::rowsRemoved, this, listChanged);
    connect(c.keySaveProfile, &QAction::triggered, this, &MainController::saveProfileCommand);
    connect(c.keyLoadProfile, &QAction::triggered, this, &MainController::loadProfileCommand);
    connect(c.mnuFilter, &QAction::triggered, this, [this] {
        m_window->filterBox()->setFocus(Qt::ShortcutFocusReason);
        m_window->filterBox()->selectAll();
    });
}

void MainController::connectAssistant()
{
    ProfileState &profile = m_state.profile;
    frmAssistant *a = m_assistant;
    connect(&profile, &ProfileState::profileShown, a, &frmAssistant::showProfile);
    connect(&profile, &ProfileState::captionChanged, a, &QWidget::setWindowTitle);
    connect(&profile, &ProfileState::fuelProfilePrintEnabled, this,
            [this] { m_state.modes.change([](ModeState &s) { s.fuelProfilePrintEnabled = true; }); });
    connect(a, &frmAssistant::visibilityChanged, this,
            [this](bool visible) { m_state.modes.change([visible](ModeState &s) { s.assistantVisible = visible; }); });
    connect(a, &frmAssistant::pageChanged, this, [this](int page) {
        if (page == 0 || page == 1)
            m_state.modes.change([page](ModeState &s) { s.assistantPage = page; });
    });
    connect(a, &frmAssistant::nameChanged, this, [this](const QString &name) { m_state.profile.setProfileName(name); });
    connect(a, &frmAssistant::componentAdded, this, [this](int component) {
        // The photo the builder page shows, whichever that is.
        const int s = m_state.photoSlots.builderSlot();
        const PhotoRecord *photo = SlotHasPhoto(s) ? &*m_state.photoSlots.states[size_t(s)].photo : nullptr;
        m_state.profile.AddComponent(component, photo);
    });
    connect(a, &frmAssistant::sourceRequested, this, &MainController::FindSource);
    connect(a, &frmAssistant::newProfileRequested, this, [this] {
        closeNotes();
        m_state.profile.NewProfile();
    });
    connect(a, &frmAssistant::loadProfileRequested, this, &MainController::loadProfileCommand);
    connect(a, &frmAssistant::saveProfileRequested, this, &MainController::saveProfileCommand);
    connect(a, &frmAssistant::saveProfileAsRequested, this, [this] {
        storeOpenNotes();
        m_state.profile.SaveAsCommand();
    });
    connect(a, &frmAssistant::notesRequested, this, &MainController::notesCommand);
    connect(a, &frmAssistant::hideRequested, this, [this] {
        if (m_assistant->isVisible())
            assistantsCommand();
    });
}

void MainController::refresh()
{
    const ModeState &modes = m_state.modes.state();
    const PhotoSlots &photoSlots = m_state.photoSlots;
    commands().updateActionStates(modes, photoSlots);
    commands().mnuPreviewReports->setChecked(m_reports->previewReports());
    m_window->showQueryRegion(modes.queryOpen);
    resultsList()->setView(modes.resultsView);

    PaneLayout layout;
    layout.compare = photoSlots.CompareLayout == 1;
    layout.currentSlot = photoSlots.CurrentSlot;
    layout.view = modes.paneView;
    layout.browseView = modes.browseView;
    photoPanes()->applyLayout(layout);
    browseButtons()->applyLayout(layout.compare, modes.browseView, modes.paneView);
    m_assistant->setPages(modes.assistantPageOn, modes.assistantPage);
    // The Assistant's columns follow the slots here and nowhere else, so they always show what the panes show
    // and what "Add >" takes.
    ShowAssistantSummary();
}

void MainController::InitMainWindow()
{
    m_state.status.ShowStatus(StatusInfo, QStringLiteral("Initializing ..."));
    m_state.profile.NewProfile();
    SetResultsView(3);
    FillResultsList();
    restoreWindowState();
    m_state.status.ShowStatus(StatusClear, QStringLiteral(" "));
}

namespace
{
const QString kApplication = QStringLiteral("Fenwyx");
const QString kWindow = QStringLiteral("Window");
} // namespace

void MainController::saveWindowSetting(const QString &key, const QString &value)
{
    if (m_restoring)
        return;
    if (SettingsStore *settings = m_state.services.settings)
        settings->writeText(kApplication, kWindow, key, value);
}

void MainController::saveSplitter()
{
    m_splitterSave.stop();
    if (m_window)
        saveWindowSetting(QStringLiteral("Splitter"),
                          QString::fromLatin1(m_window->mainRegion()->saveState().toBase64()));
}

void MainController::restoreWindowState()
{
    const SettingsStore *settings = m_state.services.settings;
    if (!settings)
        return;
    const BusyFlag restoring(m_restoring);
    auto read = [settings](const char *key) {
        return settings->readText(kApplication, kWindow, QString::fromLatin1(key), {});
    };
    const QByteArray splitter = QByteArray::fromBase64(read("Splitter").toLatin1());
    if (!splitter.isEmpty())
        m_window->mainRegion()->restoreState(splitter);
    bool ok = false;
    const int view = read("ResultsView").toInt(&ok);
    if (ok)
        SetResultsView(view);
    const int column = read("SortColumn").toInt(&ok);
    if (ok && column >= 0 && column < ResultsModel::ColumnCount) {
        const Qt::SortOrder order =
            read("SortOrder") == QLatin1String("descending") ? Qt::DescendingOrder : Qt::AscendingOrder;
        resultsModel()->sort(column, order);
    }
    // Before the query lists are first filled, so that they are filled once, in these units.
    if (read("MetricUnits") == QLatin1String("1"))
        applyUnits(Units::Metric);
    const int page = read("QueryPage").toInt(&ok);
    if (ok && page >= 0 && page < queryPane()->tabQuery()->count())
        queryPane()->tabQuery()->setCurrentIndex(page);
}

void MainController::LoadQueryParameters()
{
    queryPane()->LoadQueryParameters();
}

void MainController::FillResultsList()
{
    m_state.modes.change([](ModeState &s) { s.LastItemKey.clear(); });
    resultsModel()->FillResultsList(m_state.library.currentPhotoSet());
    // A new photo set clears the filter.
    const QSignalBlocker quiet(m_window->filterBox());
    m_window->filterBox()->clear();
    reportCount();
    updateWelcome();
}

void MainController::updateWelcome()
{
    // A query that finds nothing leaves the series installed: only an empty database counts.
    bool installed = m_state.library.isOpen() && !m_state.library.currentPhotoSet()->empty();
    if (m_state.library.isOpen() && !installed) {
        const auto any = m_state.library.database().column(QStringLiteral("SELECT 1 FROM Photos LIMIT 1"));
        installed = !any || !any->isEmpty();
    }
    m_window->showWelcome(!installed && !m_state.library.retrying());
}

void MainController::reportCount()
{
    const ResultsModel *results = resultsModel();
    const QString all = QString::number(results->photoCount());
    m_state.status.ShowStatus(StatusCount, results->filterText().trimmed().isEmpty()
                                               ? all + QStringLiteral(" photos found")
                                               : QString::number(results->rowCount()) + QStringLiteral(" of ") + all +
                                                     QStringLiteral(" photos shown"));
}

void MainController::SetUnits(Units units)
{
    if (units == m_state.modes.state().units) {
        refresh(); // the menu item's tick springs back
        return;
    }
    saveWindowSetting(QStringLiteral("MetricUnits"),
                      units == Units::Metric ? QStringLiteral("1") : QStringLiteral("0"));
    applyUnits(units);
    // The range lists count in the new units; the choices of the pickers go with a reload.
    LoadQueryParameters();
    reportCount();
}

void MainController::applyUnits(Units units)
{
    m_state.modes.change([units](ModeState &s) { s.units = units; });
    resultsModel()->setUnits(units);
    m_state.profile.setUnits(units);
    m_reports->setUnits(units);
    m_assistant->setUnits(units);
    // The slots' sheets and graphs in the new units; the photos and their pictures stay.
    PhotoSlots &photoSlots = m_state.photoSlots;
    for (int s = 0; s < 2; ++s) {
        PhotoSlotState &slot = photoSlots.states[size_t(s)];
        if (!slot.photo)
            continue;
        slot.sheet =
            slot.isFieldPhoto() ? FieldPhoto::sheet(*slot.photo, units) : BuildDataSheet(*slot.photo, slot.book, units);
        photoPanes()->showSheet(s, slot.sheet);
        if (slot.isFieldPhoto() && m_field)
            m_field->showValues(slot.label, FieldPhoto::valuesOf(*slot.photo), units);
    }
}

void MainController::FilterResults(const QString &text)
{
    resultsModel()->setFilterText(text);
    reportCount();
    // The photo clicked last stays selected while it is listed.
    const int row = resultsModel()->rowOfKey(m_state.modes.state().LastItemKey);
    if (row >= 0)
        resultsList()->selectRow(row);
}

void MainController::SelectResult(int n)
{
    const int row = n - 1;
    if (row < 0 || row >= resultsModel()->rowCount())
        return;
    resultsList()->selectRow(row);
    // Always shown, also when it is the item clicked last (now perhaps in the other slot).
    ShowSelectedPhoto(row);
}

void MainController::lstPhotos_ItemClick(int row)
{
    const PhotoRecord *photo = resultsModel()->photoAt(row);
    if (!photo)
        return;
    const QString key = photo->key();
    if (m_state.modes.change([&key](ModeState &s) { return Modes::itemClicked(s, key); }))
        ShowSelectedPhoto(row);
}

bool MainController::SlotHasPhoto(int slot) const
{
    return m_state.photoSlots.SlotHasPhoto(slot);
}

void MainController::ShowSelectedPhoto(int row)
{
    if (m_showing)
        return;
    const BusyFlag busy(m_showing);
    PhotoSlots &photoSlots = m_state.photoSlots;
    PhotoDirectory &directory = m_state.photoDirectory;
    const PhotoRecord *item = resultsModel()->photoAt(row);
    if (!item || item->dataPic.isEmpty())
        return;
    const qint64 id = item->id;
    const QString key = item->key();
    const QString itemLabel = item->label();
    // The field photo keeps the left slot; the series is browsed in the right one.
    const int s = photoSlots.CurrentSlot == 1 || photoSlots.states[0].isFieldPhoto() ? 1 : 0;
    PhotoPanes *panes = photoPanes();
    panes->resetGrid(s);

    // Path and drive step: ask while an absolute photo directory cannot be read.
    bool skipDirectory = directory.DriveChoice == PhotoDirectory::SearchLocalOnly;
    while (!skipDirectory && !directory.isReadable()) {
        // An earlier answer must not stand for this one: closing the window means "local, this time".
        directory.DriveChoice = m_state.services.dialogs->askPhotoDrive(directory.value());
        if (directory.DriveChoice == PhotoDirectory::Retry)
            continue;
        if (directory.DriveChoice == PhotoDirectory::ManagePhotoSeries) {
            ManagePhotoSeries();
            continue;
        }
        skipDirectory = true;
    }

    const ImageResolver resolver(directory, m_state.programFolder);
    QString error;
    std::optional<ShownPhoto> shown =
        PhotoDisplay(m_state.library.database(), resolver)
            .show(
                id, skipDirectory, panes->pictureSize(s), [panes, s] { panes->showRetrieving(s); }, &error,
                m_state.modes.state().units);
    if (!shown) {
        m_state.modes.change([](ModeState &m) { m.LastItemKey.clear(); });
        m_state.status.ShowStatus(StatusError,
                                  QStringLiteral("Can't show photo ") + itemLabel + QStringLiteral(": ") + error);
        return;
    }

    photoSlots.states[size_t(s)] = shown->slot;
    {
        const WaitCursor wait;
        panes->showPhoto(s, *shown);
    }
    m_state.modes.change([&key](ModeState &m) { m.LastItemKey = key; });
    // The list was refilled if the photo manager ran: then the photo is found again by its ID.
    const PhotoRecord *listed = resultsModel()->photoAt(row);
    const int listRow = listed && listed->id == id ? row : resultsModel()->rowOfKey(key);
    if (listRow >= 0 && resultsList()->currentRow() != listRow)
        resultsList()->selectRow(listRow);
    refresh();
}

void MainController::ManagePhotoSeries()
{
    QStringList problems;
    if (!RunAndWait(m_state.services.processes, photoManagerProgram(), m_state.programFolder)) {
        // Without a photo manager the user can still say where the photo series are.
        if (photoFolderCommand())
            return;
        problems << QStringLiteral("Can't start the photo manager (fenwyx-photomgr)");
    }
    reloadPhotoSeries(problems);
}

bool MainController::photoFolderCommand()
{
    const std::optional<QString> folder =
        m_state.services.dialogs->chooseFolder(QStringLiteral("Photo Folder"), m_state.photoDirectory.folder());
    if (!folder)
        return false;
    QStringList problems;
    if (!PhotoDirectory::WritePhotoDirectory(m_state.services.settings, *folder))
        problems << QStringLiteral("Can't save the photo folder setting");
    reloadPhotoSeries(problems);
    return true;
}

void MainController::installSampleSeries()
{
    ProcessRunner *processes = m_state.services.processes;
    const QTemporaryDir work;
    const QString series = QDir(work.path()).filePath(QStringLiteral("sample"));
    const auto lastLine = [](const ProcessRunner::Outcome &outcome) {
        const QStringList lines = outcome.errorOutput.trimmed().split(QLatin1Char('\n'));
        return outcome.started ? lines.last().trimmed() : QStringLiteral("the program was not found");
    };
    QString problem;
    {
        const WaitCursor wait;
        m_state.status.ShowStatus(StatusInfo, QStringLiteral("Installing the sample series ..."));
        const ProcessRunner::Outcome written =
            work.isValid() && processes
                ? processes->run(QStringLiteral("fenwyx-sample"), {series}, m_state.programFolder)
                : ProcessRunner::Outcome{};
        if (!written.succeeded) {
            problem = QStringLiteral("Can't write the sample series: ") + lastLine(written);
        } else {
            const ProcessRunner::Outcome installed = processes->run(
                photoManagerProgram(), {QStringLiteral("--install"), series, QStringLiteral("--copy-images")},
                m_state.programFolder);
            if (!installed.succeeded)
                problem = QStringLiteral("Can't install the sample series: ") +
                          lastLine(installed).remove(QStringLiteral("fenwyx-photomgr: "));
        }
    }
    reloadPhotoSeries(problem.isEmpty() ? QStringList() : QStringList{problem});
    if (!problem.isEmpty())
        return;
    m_state.status.ShowStatus(StatusInfo, QStringLiteral("The sample series is installed. Its photos are invented; "
                                                         "remove it with Manage Photo Series."));
}

void MainController::reloadPhotoSeries(QStringList problems)
{
    const bool firstSeries = m_window->welcomeShown();
    m_state.photoDirectory.ReadPhotoDirectory(m_state.services.settings, m_state.services.drives,
                                              m_state.programFolder);
    QString error;
    if (!m_state.library.ReopenPhotoDatabase(&error))
        problems << QStringLiteral("Can't open the photo database: ") + error;
    FillResultsList();
    LoadQueryParameters();
    // The first series installed: the window as it looks with photos, one of them shown.
    if (firstSeries && !m_window->welcomeShown())
        SelectResult(1);
    if (!problems.isEmpty())
        m_state.status.ShowStatus(StatusError, problems.join(QStringLiteral("; ")));
}

void MainController::exportResultsCommand()
{
    exportCsv(QStringLiteral("Export Results"), QStringLiteral("photos.csv"), ResultsExport::csv(*resultsModel()));
}

void MainController::findSimilarCommand()
{
    findSimilarToSlot(m_state.photoSlots.CurrentSlot);
}

void MainController::findSimilarToSlot(int slot)
{
    if (!SlotHasPhoto(slot)) {
        m_state.status.ShowStatus(StatusError, QStringLiteral("Can't find similar photos, no photo selected"));
        return;
    }
    const PhotoSlotState &state = m_state.photoSlots.states[size_t(slot)];
    findSimilarTo(*state.photo, state.label);
}

void MainController::findSimilarTo(const PhotoRecord &photo, const QString &name)
{
    // The photo is copied: the list it came from is about to be replaced.
    const PhotoRecord query = photo;
    const QString queryName = name.isEmpty() ? query.label() : name;
    PhotoLibrary &library = m_state.library;
    const PhotoMatch::Ranking ranking =
        PhotoMatch::rank(*library.allPhotos(), PhotoMatch::valuesOf(query), library.matchSpread(), query.id);
    if (!ranking.usable()) {
        m_state.status.ShowStatus(StatusError, QStringLiteral("Can't find similar photos: ") + queryName +
                                                   QStringLiteral(" has no loading or depth to match"));
        return;
    }
    showRanking(ranking, m_matchCount, queryName);
}

void MainController::matchValuesCommand()
{
    const Units units = m_state.modes.state().units;
    // The form starts from the photo on show, in the units shown.
    PhotoMatch::Values initial;
    std::optional<QString> vegType;
    const int s = m_state.photoSlots.CurrentSlot;
    if (SlotHasPhoto(s)) {
        const PhotoRecord &photo = *m_state.photoSlots.states[size_t(s)].photo;
        initial = PhotoMatch::shownValues(PhotoMatch::valuesOf(photo), units);
        vegType = photo.vegType;
    }
    const QStringList vegTypes = codeChoices(QueryParameters::VegType);

    auto *form = new frmMatchValues(units, initial, vegTypes, vegType, m_matchCount, m_window);
    form->setAttribute(Qt::WA_DeleteOnClose);
    connect(form, &QDialog::accepted, this, [this, form, units] {
        const frmMatchValues::Request request = form->request();
        m_matchCount = request.count;
        PhotoLibrary &library = m_state.library;
        std::function<bool(const PhotoRecord &)> keep;
        if (request.vegType) {
            const QString wanted = *request.vegType;
            keep = [wanted](const PhotoRecord &p) {
                return p.vegType.trimmed().compare(wanted, Qt::CaseInsensitive) == 0;
            };
        }
        const PhotoMatch::Ranking ranking =
            PhotoMatch::rank(*library.allPhotos(), PhotoMatch::storedValues(request.values, units),
                             library.matchSpread(), std::nullopt, keep);
        if (!ranking.usable()) {
            m_state.status.ShowStatus(StatusError,
                                      QStringLiteral("Can't match: no value the photos can be told apart by"));
            return;
        }
        showRanking(ranking, m_matchCount, QStringLiteral("the values given"));
    });
    form->open();
}

QStringList MainController::codeChoices(int list) const
{
    // Named as the query pane names them.
    const CodeFile codes(QDir(m_state.programFolder).filePath(QueryParameters::codeFileName(list)));
    QStringList entries;
    QSet<QString> seen;
    for (const PhotoRecord &photo : *m_state.library.allPhotos()) {
        const QString code = (list == QueryParameters::VegType ? photo.vegType : photo.activity).trimmed();
        if (!code.isEmpty() && !seen.contains(code.toUpper())) {
            seen.insert(code.toUpper());
            entries << codes.LookupCode(code);
        }
    }
    entries.sort(Qt::CaseInsensitive);
    return entries;
}

void MainController::openFieldPhotoCommand()
{
    const QString folder = m_fieldFolder.isEmpty() ? QDir::homePath() : m_fieldFolder;
    const std::optional<QString> path = m_state.services.dialogs->openFileName(
        {QStringLiteral("Open Field Photo"),
         QStringLiteral("Pictures (*.jpg *.jpeg *.png *.tif *.tiff *.JPG *.JPEG *.PNG *.TIF *.TIFF);;All files (*)"),
         folder, QString()});
    if (path)
        openFieldPhoto(*path);
}

bool MainController::openFieldPhoto(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    std::optional<QImage> picture;
    QString reason;
    {
        const WaitCursor wait;
        picture = ImageLoader::load(path, photoPanes()->pictureSize(0), true, &reason);
    }
    if (!picture) {
        m_state.services.dialogs->message(QStringLiteral("Can't open the field photo %1: %2.").arg(name, reason),
                                          QStringLiteral("Open Field Photo"), MessageButtons::Ok,
                                          MessageIcon::Exclamation);
        return false;
    }
    m_fieldFolder = QFileInfo(path).absolutePath();
    if (!m_state.modes.state().compareOn)
        compareCommand();
    PhotoSlots &photoSlots = m_state.photoSlots;
    const Units units = m_state.modes.state().units;
    photoSlots.states[0] = FieldPhoto::slotState(path, {}, units);
    ShownPhoto shown;
    shown.slot = photoSlots.states[0];
    shown.picture = std::move(*picture);
    shown.path = path;
    photoPanes()->showPhoto(0, shown);
    {
        const BusyFlag pressing(photoSlots.LayoutPressingImage);
        compareButton_Click(PaneView::Image, 0);
    }
    // The list's photos go into the right pane from now on.
    SelectSlot(1);

    if (!m_field) {
        m_field = new frmFieldPhoto(codeChoices(QueryParameters::VegType), codeChoices(QueryParameters::Activity),
                                    m_window->window());
        connect(m_field, &frmFieldPhoto::valuesEdited, this, &MainController::fieldValuesEdited);
        connect(m_field, &frmFieldPhoto::closeRequested, this, &MainController::closeFieldPhoto);
    }
    m_field->showValues(shown.slot.label, {}, units);
    m_field->show();
    m_field->raise();
    const QString hint = QStringLiteral(": type its values beside it and pick photos to compare");
    m_state.status.ShowStatus(StatusInfo, QStringLiteral("Field photo ") + name + hint);
    return true;
}

void MainController::fieldValuesEdited()
{
    PhotoSlotState &slot = m_state.photoSlots.states[0];
    if (!slot.isFieldPhoto() || !m_field)
        return;
    const Units units = m_state.modes.state().units;
    slot = FieldPhoto::slotState(slot.fieldPicture, m_field->values(), units);
    photoPanes()->showSheet(0, slot.sheet);
    refresh();
}

void MainController::closeFieldPhoto()
{
    PhotoSlots &photoSlots = m_state.photoSlots;
    if (m_field)
        m_field->hide();
    if (!photoSlots.states[0].isFieldPhoto())
        return;
    photoSlots.clear(0);
    photoPanes()->clearSlot(0, QStringLiteral("Select a photo from the list"));
    if (photoSlots.CompareLayout == 1)
        SelectSlot(0);
    else
        refresh();
}

void MainController::showRanking(const PhotoMatch::Ranking &ranking, int count, const QString &likeWhat)
{
    PhotoMatch::Nearest nearest = PhotoMatch::nearest(*m_state.library.allPhotos(), ranking, count);
    const size_t listed = nearest.photos->size();
    const PhotoSetPtr photos = std::move(nearest.photos);
    // As a query's result: the current photo set, the list (its filter cleared), then the Erase step.
    m_state.library.setCurrentPhotoSet(photos);
    m_state.modes.change([](ModeState &s) { s.LastItemKey.clear(); });
    resultsModel()->FillRankedList(photos, std::move(nearest.distances));
    {
        const QSignalBlocker quiet(m_window->filterBox());
        m_window->filterBox()->clear();
    }
    reportCount();
    if (queryPane()->eraseAfterSearch())
        eraseStep();
    QString message = QString::number(listed) +
                      (listed == 1 ? QStringLiteral(" photo most like ") : QStringLiteral(" photos most like ")) +
                      likeWhat;
    if (ranking.leftOut > 0)
        message +=
            QStringLiteral("; ") + QString::number(ranking.leftOut) + QStringLiteral(" left out for lack of a value");
    m_state.status.ShowStatus(StatusInfo, message);
}

void MainController::exportProfileCommand()
{
    storeOpenNotes();
    const ProfileState &profile = m_state.profile;
    const QString base = QFileInfo(profile.profilePath()).completeBaseName();
    exportCsv(QStringLiteral("Export Fuel Profile"),
              (base.isEmpty() || base == kUntitled ? QStringLiteral("profile") : base) + QStringLiteral(".csv"),
              ProfileExport::csv(profile.profile(), profile.profilePath(), m_state.modes.state().units));
}

void MainController::summaryCommand()
{
    if (!m_summary)
        m_summary = new frmSummary(*resultsModel(), m_window);
    m_summary->show();
    m_summary->raise();
    m_summary->activateWindow();
}

void MainController::exportCsv(const QString &title, const QString &name, const QByteArray &bytes)
{
    Dialogs &dialogs = *m_state.services.dialogs;
    FileDialogRequest request;
    request.title = title;
    request.filter = QStringLiteral("CSV file(*.csv)");
    request.initialFolder = PhotoLibrary::dataFolder(m_state.programFolder);
    request.fileName = name;
    std::optional<QString> chosen = dialogs.saveFileName(request);
    if (!chosen || chosen->isEmpty())
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    if (ConfirmReplace(dialogs, path) != MessageAnswer::Yes)
        return;
    QString error;
    if (!ResultsExport::writeWhole(path, bytes, &error)) {
        dialogs.message(QStringLiteral("Could not export to ") + path + QStringLiteral(": ") + error,
                        QStringLiteral("Fenwyx"), MessageButtons::Ok, MessageIcon::Critical);
        return;
    }
    m_state.status.ShowStatus(StatusInfo, QStringLiteral("Exported to ") + path);
}

void MainController::ShowAssistantSummary()
{
    m_assistant->showSummary(m_state.photoSlots.summary(m_state.modes.state().units), m_state.photoSlots.CurrentSlot);
}

void MainController::SetResultsView(int view)
{
    if (view != 2 && view != 3)
        return;
    if (view != m_state.modes.state().resultsView)
        saveWindowSetting(QStringLiteral("ResultsView"), QString::number(view));
    m_state.modes.change([view](ModeState &s) { s.resultsView = view; });
}

void MainController::SetQueryPaneClosed(int closed)
{
    m_state.modes.change([closed](ModeState &s) { s.queryOpen = closed == 0; });
}

void MainController::queryCommand()
{
    if (m_state.modes.state().queryOpen) {
        SetQueryPaneClosed(1);
        queryPane()->closePickers();
    } else {
        SetQueryPaneClosed(0);
    }
}

void MainController::SelectSlot(int slot)
{
    if (slot != 0 && slot != 1)
        return;
    m_state.photoSlots.CurrentSlot = slot;
    refresh();
}

void MainController::FocusSlotTab(int index)
{
    if (m_state.photoSlots.CompareLayout == 1 && (index == 0 || index == 1))
        SelectSlot(index);
    // A click on the field photo brings its values window back when the user had closed it.
    if (index == 0 && m_state.photoSlots.states[0].isFieldPhoto() && m_field && !m_field->isVisible())
        m_field->show();
}

void MainController::SetCompareLayout(int mode)
{
    PhotoSlots &photoSlots = m_state.photoSlots;
    photoSlots.LayoutPressingImage = false;
    if (mode == 1) {
        photoSlots.CurrentSlot = 1;
        photoSlots.CompareLayout = 1;
        // The right slot starts empty: its row, paths and sheet go with its controls.
        photoSlots.clear(1);
        photoPanes()->clearSlot(1, QStringLiteral("Select a photo from the list"));
        {
            const BusyFlag pressing(photoSlots.LayoutPressingImage);
            for (int index : {0, 1})
                compareButton_Click(PaneView::Image, index);
        }
        SelectSlot(1);
    } else if (mode == 0) {
        // A field photo is shown beside the series only.
        closeFieldPhoto();
        photoSlots.CompareLayout = 0;
        photoSlots.CurrentSlot = 0;
        m_state.modes.change([](ModeState &s) { s.browseView = PaneView::Data; });
        refresh();
    }
}

void MainController::SwitchPaneView(const QString &mode, int slot)
{
    // The windows' reactions to a switch (buttons changing state) must not start another one.
    if (m_state.modes.state().PaneSwitchBusy)
        return;
    const BusyFlag busy(m_state.modes.paneSwitchBusy());
    int target = slot;
    const Modes::PaneSwitch result =
        m_state.modes.change([&](ModeState &s) { return Modes::SwitchPaneView(s, mode, &target); });
    if (result == Modes::PaneSwitch::OpenViewWindow)
        openViewWindow(target);
}

void MainController::openViewWindow(int slot)
{
    const ImageResolver resolver(m_state.photoDirectory, m_state.programFolder);
    if (!m_view)
        m_view = new frmView(m_state.photoDirectory, m_state.programFolder, m_window->window());
    m_view->show();
    m_view->raise();
    m_view->activateWindow();
    m_view->showImages(m_state.photoSlots.paths(slot, resolver));
}

void MainController::vseView_Click(int index)
{
    const int slot = Modes::viewButtonSlot(index);
    if (slot < 0)
        return;
    if (!SlotHasPhoto(slot)) {
        m_state.status.ShowStatus(StatusError, QStringLiteral("Can't view, no photo selected"));
        return;
    }
    SwitchPaneView(QStringLiteral("View"), slot);
}

void MainController::compareButton_Click(PaneView view, int index)
{
    const int slot = Modes::compareButtonSlot(index);
    if (slot < 0)
        return;
    const bool pressingImage = view == PaneView::Image && m_state.photoSlots.LayoutPressingImage;
    if (SlotHasPhoto(slot) || pressingImage) {
        static const char *const modes[] = {"Compare Data", "Compare Graph", "Compare Image"};
        SwitchPaneView(QString::fromLatin1(modes[int(view)]), index);
    } else {
        static const char *const messages[] = {"Can't view data, no photo selected",
                                               "Can't view graph, no photo selected",
                                               "Can't view image, no photo selected"};
        m_state.status.ShowStatus(StatusError, QString::fromLatin1(messages[int(view)]));
    }
    // The pressed button springs back when nothing changed.
    refresh();
}

void MainController::eraseStep()
{
    // The first result is shown whenever there is one.
    const bool anyResult = resultsModel()->rowCount() > 0;
    if (m_state.photoSlots.CompareLayout == 1) {
        SetCompareLayout(1);
        SelectSlot(0);
        if (anyResult)
            SelectResult(1);
        SelectSlot(1);
    } else {
        SetCompareLayout(0);
        if (anyResult)
            SelectResult(1);
    }
}

void MainController::applyAssistant(const AssistantEffect &effect)
{
    if (effect.hide) {
        m_assistantUp = false;
        m_assistant->hide();
        updateAssistantRoom();
        return;
    }
    if (effect.show) {
        m_assistantUp = true;
        m_assistant->show();
        if (effect.place)
            placeAssistant();
        updateAssistantRoom();
    }
}

void MainController::placeAssistant()
{
    if (!m_frame)
        return;
    if (m_assistantPlace && m_assistantPlace->frame == m_frame->frameGeometry() && !assistantAtItsPlace())
        return;
    moveAssistantToItsPlace();
}

void MainController::moveAssistantToItsPlace()
{
    // Inside the frame, along its top, 700 twips in from its right edge.
    const QRect frame = m_frame->frameGeometry();
    const QSize size = m_assistant->frameGeometry().size();
    const QPoint pos(std::max(frame.x(), frame.x() + frame.width() - size.width() - twips(m_frame, 700)), frame.y());
    m_assistant->move(pos);
    m_assistantPlace = AssistantPlace{frame, pos};
}

bool MainController::assistantAtItsPlace() const
{
    return m_assistantPlace && m_assistant->pos() == m_assistantPlace->pos;
}

void MainController::updateAssistantRoom()
{
    QSize room;
    if (m_frame && m_assistantUp && assistantAtItsPlace()) {
        const QRect assistant = m_assistant->frameGeometry();
        const QRect window(m_window->mapToGlobal(QPoint(0, 0)), m_window->size());
        // From the Assistant's left edge to the window's right edge, from the window's top to the Assistant's
        // bottom, and a little air.
        const int air = 4;
        room = QSize(window.right() - assistant.left() + 1 + air, assistant.bottom() - window.top() + 1 + air);
    }
    m_window->setAssistantRoom(room);
}

void MainController::scheduleAssistantRoom()
{
    // Once the frame's and the Assistant's new geometry have reached every window.
    if (m_roomPending)
        return;
    m_roomPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_roomPending = false;
            updateAssistantRoom();
        },
        Qt::QueuedConnection);
}

bool MainController::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Move || type == QEvent::Resize) {
        // At its place by the frame the Assistant keeps to it, also when it grows; put elsewhere, it stays.
        if (m_frame && watched == m_frame && m_assistantUp && assistantAtItsPlace())
            moveAssistantToItsPlace();
        else if (watched == m_assistant && type == QEvent::Resize && m_frame && assistantAtItsPlace())
            moveAssistantToItsPlace();
        if (watched == m_frame || watched == m_assistant)
            scheduleAssistantRoom();
    }
    return QObject::eventFilter(watched, event);
}

void MainController::compareCommand()
{
    const bool entering = !m_state.modes.state().compareOn;
    const AssistantEffect effect = m_state.modes.change([](ModeState &s) { return Modes::toggleCompare(s); });
    // The compare layout empties the right slot, makes it current and refreshes the Assistant's summary.
    SetCompareLayout(entering ? 1 : 0);
    applyAssistant(effect);
}

void MainController::builderCommand()
{
    applyAssistant(m_state.modes.change([](ModeState &s) { return Modes::toggleBuilder(s); }));
}

void MainController::assistantsCommand()
{
    applyAssistant(m_state.modes.change([](ModeState &s) { return Modes::toggleAssistant(s); }));
}

template <typename Work> void MainController::aroundAssistant(Work &&work)
{
    storeOpenNotes();
    const HiddenWhile hidden(m_assistant);
    work();
}

void MainController::printerSetupCommand()
{
    aroundAssistant([this] { m_reports->PrinterSetup(); });
}

void MainController::printPhotoCommand()
{
    const int s = m_state.photoSlots.CurrentSlot;
    if (!SlotHasPhoto(s)) {
        m_state.status.ShowStatus(StatusError, kNoPhotoToPrint);
        return;
    }
    aroundAssistant([this, s] { m_reports->printPhotoReport(m_state.photoSlots.states[size_t(s)]); });
}

void MainController::printComparisonCommand()
{
    if (!SlotHasPhoto(1) || !SlotHasPhoto(0)) {
        m_state.status.ShowStatus(StatusError, QStringLiteral("Can't print, two photos  not selected"));
        return;
    }
    aroundAssistant(
        [this] { m_reports->printComparisonReport(m_state.photoSlots.states[0], m_state.photoSlots.states[1]); });
}

void MainController::printProfileCommand()
{
    aroundAssistant([this] { m_reports->printFuelProfileReport(m_state.profile.profile()); });
}

void MainController::exitCommand()
{
    if (m_frame)
        m_frame->close();
}

bool MainController::mayClose()
{
    storeOpenNotes();
    Dialogs &dialogs = *m_state.services.dialogs;
    if (dialogs.message(QStringLiteral("Exit Fenwyx?"), QString(), MessageButtons::YesNo, MessageIcon::Question) !=
        MessageAnswer::Yes)
        return false;
    if (m_state.profile.profileChanged() &&
        dialogs.message(QStringLiteral("Save Changes to Fuel Profile?"), QString(), MessageButtons::YesNo,
                        MessageIcon::Question) == MessageAnswer::Yes) {
        // A save that does not complete keeps the program open with the profile still changed.
        return m_state.profile.saveForExit();
    }
    return true;
}

void MainController::saveProfileCommand()
{
    storeOpenNotes();
    m_state.profile.SaveCommand();
}

void MainController::loadProfileCommand()
{
    closeNotes();
    m_state.profile.LoadCommand();
}

void MainController::notesCommand()
{
    if (m_notes) {
        m_notes->raise();
        m_notes->activateWindow();
        return;
    }
    m_notes = new frmnotes(m_state.profile.profile().Notes, m_frame ? static_cast<QWidget *>(m_frame) : m_window);
    connect(m_notes, &frmnotes::closed, this, &MainController::notesClosed);
    connect(m_notes, &frmnotes::activated, m_assistant, &QWidget::hide);
    // The Assistant floats above the frame and would cover the notes.
    m_assistantBeforeNotes = m_assistant->isVisible();
    m_assistant->hide();
    m_notes->show();
}

void MainController::notesClosed(const QString &text)
{
    m_state.profile.setNotes(text);
    if (m_assistantBeforeNotes && m_state.modes.state().AssistantModes != 0)
        m_assistant->show();
    m_assistantBeforeNotes = false;
}

void MainController::storeOpenNotes()
{
    if (m_notes)
        m_state.profile.setNotes(m_notes->text());
}

void MainController::closeNotes()
{
    if (m_notes)
        m_notes->close();
}

void MainController::frameMinimized(bool minimized)
{
    if (minimized) {
        if (m_assistant->isVisible()) {
            m_assistant->hide();
            m_assistantHiddenByMinimize = true;
        }
    } else if (m_assistantHiddenByMinimize) {
        m_assistantHiddenByMinimize = false;
        if (m_state.modes.state().AssistantModes != 0)
            m_assistant->show();
    }
}

void MainController::FindSource(const QString &label)
{
    const QString wanted = label.trimmed();
    ResultsModel *results = resultsModel();
    // A photo of the set that the quick filter hides is listed again by clearing the filter, never added twice.
    const auto listedAgain = [this, results](auto holds, auto rowOf) {
        if (!holds())
            return -1;
        m_window->filterBox()->clear();
        return rowOf();
    };
    int row = wanted.isEmpty() ? -1 : results->rowOfLabel(wanted);
    if (row < 0 && !wanted.isEmpty())
        row = listedAgain([&] { return results->holdsLabel(wanted); }, [&] { return results->rowOfLabel(wanted); });
    if (row < 0 && !wanted.isEmpty()) {
        // Not in the set: looked up in the open database and appended once, found by its key.
        if (std::optional<PhotoRecord> photo = PhotoData::photoByLabel(m_state.library.database(), wanted)) {
            const QString key = photo->key();
            row = listedAgain([&] { return results->holdsKey(key); }, [&] { return results->rowOfKey(key); });
            if (row < 0) {
                results->appendPhotos({*photo});
                row = results->rowOfKey(key);
                reportCount();
            }
        }
    }
    if (row < 0) {
        m_state.status.ShowStatus(StatusError, QStringLiteral("Can't find in currently installed photos"));
        return;
    }
    SelectResult(row + 1);
}

void MainController::openBuilderAssistant()
{
    if (!m_state.modes.state().builderOn)
        builderCommand();
}

void MainController::goToFineSource()
{
    FindSource(m_assistant->label(QStringLiteral("lblPL0to3"))->text());
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controller: owns the working windows (main window, Assistant, notes, view window), connects
// them by signals and runs the commands of the menus, the toolbar and the buttons.
#pragma once

#include "data/photomatch.h"
#include "mainwindow/ui/frmfenwyx.h"
#include "present/photoslots.h"
#include "present/ui/frmview.h"
#include "profile/ui/frmassistant.h"
#include "profile/ui/frmnotes.h"
#include "shell/ui/mdimain.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>

class BrowseButtons;
class GuardedDialogs;
class HelpCommands;
class MainCommands;
class PhotoPanes;
class ProgramState;
class QueryPane;
class ReportCommands;
class ResultsListView;
class ResultsModel;
class frmAssistant;
class frmFenwyx;
class frmView;
class frmnotes;
class frmSummary;
class frmFieldPhoto;
struct AssistantEffect;

class MainController : public QObject, public FrameCloseQuestion
{
    Q_OBJECT
public:
    // frame may be null (tests of the window alone); the windows then float on their own.
    MainController(ProgramState &state, MDIMain *frame = nullptr);
    ~MainController() override;

    frmFenwyx *window() const { return m_window; }
    MainCommands &commands() const;
    frmAssistant *assistant() const { return m_assistant; }
    frmnotes *notes() const { return m_notes; }
    frmView *viewWindow() const { return m_view; }
    PhotoPanes *photoPanes() const;
    BrowseButtons *browseButtons() const;
    QueryPane *queryPane() const;
    ResultsModel *resultsModel() const;
    ResultsListView *resultsList() const;

    // The printing and help layers; until they are given, their commands say they are not available.
    void setReports(ReportCommands *reports);
    void setHelp(HelpCommands *help) { m_help = help; }
    // The modal boxes take the Assistant out of their way.
    void setDialogGuard(GuardedDialogs *guard);

    // One-time set-up at start-up: status, empty profile, panes, results columns and the whole photo set.
    void InitMainWindow();
    void LoadQueryParameters();
    // Rebuilds the results list from the current photo set and reports the count.
    void FillResultsList();
    // Selects result n (counted from 1) and shows that photo; any failure just ends it.
    void SelectResult(int n);
    // The results list's item click: shows the photo unless it is the one clicked last.
    void lstPhotos_ItemClick(int row);
    // Shows the photo of a results row in the current slot.
    void ShowSelectedPhoto(int row);
    void SetResultsView(int view);
    // closed != 0 closes the query pane.
    void SetQueryPaneClosed(int closed);
    void SwitchPaneView(const QString &mode, int slot);
    void SelectSlot(int slot);
    void SetCompareLayout(int mode);
    void FocusSlotTab(int index);
    bool SlotHasPhoto(int slot) const;
    void vseView_Click(int index);
    // A compare Data, Graph or Image button with its control index.
    void compareButton_Click(PaneView view, int index);
    void ShowAssistantSummary();
    // Runs the photo manager, reads the photo directory again, reopens the database and refills the lists.
    void ManagePhotoSeries();
    // Loadings in Mg/ha and depths and bounds in cm everywhere a value is shown or printed, or as stored.
    void SetUnits(Units units);
    // The quick filter: the listed photos narrowed to those holding every word of text.
    void FilterResults(const QString &text);
    // Makes the photo named by a source label the shown photo (the list first, then the database).
    void FindSource(const QString &label);

    // The menu commands.
    void queryCommand();
    void compareCommand();
    void builderCommand();
    void assistantsCommand();
    void printerSetupCommand();
    void printPhotoCommand();
    void printComparisonCommand();
    void printProfileCommand();
    void exitCommand();
    void notesCommand();
    // The Assistant's Save Profile and Load Profile, also reached by Ctrl+S and Ctrl+O.
    void saveProfileCommand();
    void loadProfileCommand();
    // Photo Folder...: the user says where the photo series are; then the lists are read afresh.
    bool photoFolderCommand();
    // The welcome's Install the Sample Series: fenwyx-sample writes the series into a temporary folder and the
    // photo manager installs it; then the lists are read afresh and the first photo shown.
    void installSampleSeries();
    void exportResultsCommand();
    // Find Similar Photos: the photos of the database most like the current slot's photo become the list.
    void findSimilarCommand();
    void findSimilarToSlot(int slot);
    // name: what the status bar calls the photo (its label unless given).
    void findSimilarTo(const PhotoRecord &photo, const QString &name = QString());
    // Match Values...: the same for values the user types.
    void matchValuesCommand();
    void exportProfileCommand();
    // Open Field Photo...: the user's own picture in the left pane in compare mode, its values typed beside it.
    void openFieldPhotoCommand();
    // The picture read first: one that cannot be read is told and changes nothing (false).
    bool openFieldPhoto(const QString &path);
    // Close Field Photo: the left slot empty again, for the series.
    void closeFieldPhoto();
    // View > Summary of Listed Photos...: the window (not modal) that follows the listed photos.
    void summaryCommand();

    // The command line: the Assistant for building a profile, and the source photo of the fine fuels.
    void openBuilderAssistant();
    void goToFineSource();

    // The exit question and the offer to save a changed profile.
    bool mayClose() override;

protected:
    // The frame moved or resized, the Assistant moved or grew: the Assistant and its room follow.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectWindows();
    void connectCommands();
    void connectWindowState();
    void connectAssistant();
    // Applies the modes and the slots to every window and action.
    void refresh();
    void applyAssistant(const AssistantEffect &effect);
    // By the placement rule, unless the user has put the Assistant elsewhere since and the frame is as it was.
    void placeAssistant();
    void moveAssistantToItsPlace();
    bool assistantAtItsPlace() const;
    // The main window keeps the Assistant's room free while it is up at its place by the frame.
    void updateAssistantRoom();
    void scheduleAssistantRoom();
    void openViewWindow(int slot);
    void eraseStep();
    // After the photo series may have moved: the setting read again, the database reopened, the lists refilled.
    void reloadPhotoSeries(QStringList problems);
    // Asks for a CSV file to export to (adding ".csv", asking before replacing) and writes the bytes whole.
    void exportCsv(const QString &title, const QString &name, const QByteArray &bytes);
    void reportCount();
    // The field photo's record and sheet from what is typed in its window.
    void fieldValuesEdited();
    // The entries ("code-description") of the codes of one code list (QueryParameters::Codes) the photos have.
    QStringList codeChoices(int list) const;
    // A ranking shown as a query's result is, its nearest `count` photos (0 all) in rank order.
    void showRanking(const PhotoMatch::Ranking &ranking, int count, const QString &likeWhat);
    // The welcome in place of the list and panes exactly while no photo series is installed.
    void updateWelcome();
    // The units in every window and the reports, without saving the choice or filling the query lists again.
    void applyUnits(Units units);
    // The window as the user left it: splitter, results view, sort order and query page, kept between runs.
    void restoreWindowState();
    void saveWindowSetting(const QString &key, const QString &value);
    void saveSplitter();
    // Open notes go into the profile they were opened for (before a save, a report or the exit question).
    void storeOpenNotes();
    // Closes open notes, storing them, before the profile is replaced.
    void closeNotes();
    void notesClosed(const QString &text);
    void frameMinimized(bool minimized);
    template <typename Work> void aroundAssistant(Work &&work);

    ProgramState &m_state;
    QPointer<MDIMain> m_frame;
    QPointer<frmFenwyx> m_window;
    QPointer<frmAssistant> m_assistant;
    QPointer<frmnotes> m_notes;
    QPointer<frmView> m_view;
    QPointer<frmSummary> m_summary;
    QPointer<frmFieldPhoto> m_field;
    QString m_fieldFolder; // where the last field photo was opened from
    std::unique_ptr<ReportCommands> m_unavailableReports;
    std::unique_ptr<HelpCommands> m_unavailableHelp;
    ReportCommands *m_reports;
    HelpCommands *m_help;
    bool m_ownsWindows;
    bool m_showing = false;
    bool m_restoring = false; // the window state being read back is not written again
    QTimer m_splitterSave;    // a drag is written once, when it rests
    bool m_assistantBeforeNotes = false;
    // Where the placement rule last put the Assistant, and the frame's geometry then.
    struct AssistantPlace {
        QRect frame;
        QPoint pos;
    };
    std::optional<AssistantPlace> m_assistantPlace;
    // Up by the commands, also while it is hidden for a moment (a dialog, the notes, the frame minimised).
    bool m_assistantUp = false;
    bool m_roomPending = false;
    bool m_assistantHiddenByMinimize = false;
    int m_matchCount = 20; // how many photos a match lists, as the Match Values form last said
};

// The photo panes of the main window: showing a photo in a slot, the slot layout, the browse buttons
// and the view window.
#pragma once

#include "present/photoslots.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>

class frmFenwyx;
class frmView;
class PhotoPane;
class ProgramState;
class QAbstractButton;
class QPushButton;
class QTabBar;

class PhotoPanes : public QObject
{
    Q_OBJECT
public:
    enum PaneView { ViewData, ViewGraph, ViewImage };

    // Builds the panes into the form's regions and fills the form's seams; the form owns the result.
    static PhotoPanes *install(frmFenwyx &form);

    PhotoPanes(frmFenwyx &form, ProgramState &state);

    // ShowSelectedPhoto for a row of the results list, into CurrentSlot.
    void ShowSelectedPhoto(int row);
    void SelectSlot(int slot);
    void SetCompareLayout(int mode);
    void FocusSlotTab(int index);
    bool SlotHasPhoto(int slot) const;
    // "View", "Browse Data", "Browse Graph"; other modes do nothing.
    void SwitchPaneView(const QString &mode, int slot);
    void vseView_Click(int index);
    void vsePane_RealignFrame();
    // Runs the photo manager, reads the photo directory again, reopens the database and refills the lists.
    void ManagePhotoSeries();
    // Computes the comparison and announces it to the Assistant.
    AssistantSummary ShowAssistantSummary();

    PhotoPane *pane(int slot) const { return m_panes[size_t(slot == 1 ? 1 : 0)]; }
    QTabBar *tabControl() const { return m_tabs; }
    QPushButton *vseBrowseData() const { return m_browseData; }
    QPushButton *vseBrowseGraph() const { return m_browseGraph; }
    QPushButton *vseView4() const { return m_view; }
    frmView *viewWindow() const;
    PaneView paneView(int slot) const { return m_paneView[size_t(slot == 1 ? 1 : 0)]; }

    // The drive warning; answers 1 retry, 2 manage photo series, 3 search local only, 0 closed.
    // Tests replace it; by default it shows frmDefaultWarn.
    std::function<int(const QString &photoDirectory)> driveWarning;

    bool PaneSwitchBusy = false;

Q_SIGNALS:
    void summaryChanged(const AssistantSummary &summary);

private:
    void buildPanes();
    void buildBrowseButtons();
    void showPaneControls();
    void closeSplash();
    void updatePrintComparison();
    void setTabSilently(int index);
    void colourPanes();

    frmFenwyx &m_form;
    ProgramState &m_state;
    std::array<PhotoPane *, 2> m_panes{};
    std::array<PaneView, 2> m_paneView{ViewImage, ViewImage};
    PaneView m_browseView = ViewData; // the single layout's right pane
    QTabBar *m_tabs = nullptr;
    QPushButton *m_browseData = nullptr;
    QPushButton *m_browseGraph = nullptr;
    QPushButton *m_view = nullptr;
    QPointer<frmView> m_viewWindow;
    bool m_showing = false;
    bool m_settingTab = false;
};

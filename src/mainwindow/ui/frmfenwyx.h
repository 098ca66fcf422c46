// frmFenwyx: the working window — toolbar, query pane, results list and the two photo panes.
#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

class QAction;
class QActionGroup;
class QMenu;
class QSplitter;
class QToolBar;
class ProgramState;
class ResultsModel;
class ResultsListView;

class frmFenwyx : public QWidget
{
    Q_OBJECT
public:
    explicit frmFenwyx(ProgramState &state, QWidget *parent = nullptr);
    ~frmFenwyx() override;

    // One-time set-up at start-up: status, empty profile, panes, results columns and the whole photo set.
    void InitMainWindow();
    // Rebuilds the results list from the current photo set and reports the count.
    void FillResultsList();
    // Selects result n (counted from 1) and shows that photo; any failure just ends it.
    void SelectResult(int n);
    void SetResultsView(int view);
    // closed != 0 closes the query pane
    void SetQueryPaneClosed(int closed);

    // The results list's item click: shows the photo unless it is the one clicked last.
    void lstPhotos_ItemClick(int row);

    QList<QMenu *> menus() const { return m_menus; }
    QAction *action(const QString &name) const { return m_actions.value(name); }
    ResultsModel *resultsModel() const { return m_results; }
    ResultsListView *resultsList() const { return m_list; }
    ProgramState &state() const { return m_state; }

    QString LastItemKey;

    // Seams that the photo display and the query pane fill in (the pane and the panes set them up).
    std::function<void(int row)> showSelectedPhoto; // ShowSelectedPhoto for the list's row
    std::function<void()> loadQueryParameters;      // LoadQueryParameters
    std::function<void(int mode)> setCompareLayout; // SetCompareLayout
    std::function<void(int slot)> selectSlot;       // SelectSlot
    std::function<bool(int slot)> slotHasPhoto;     // SlotHasPhoto
    std::function<int()> compareLayout;             // CompareLayout (0 or 1)

    QWidget *belowRegion() const { return m_below; }                 // vseBelow: the photo panes go here
    QWidget *browseControlRegion() const { return m_browseControl; } // vseBrowseControl: browse buttons

Q_SIGNALS:
    void exitRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createActions();
    void createToolbar();
    void createLayout();
    QAction *addMenuAction(QMenu *menu, const QString &name, const QString &caption);

    ProgramState &m_state;
    ResultsModel *m_results;
    ResultsListView *m_list = nullptr;
    QToolBar *m_toolbar = nullptr;
    QList<QMenu *> m_menus;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QAction *> m_toolButtons;
    QWidget *m_query = nullptr;
    QSplitter *m_main = nullptr;
    QWidget *m_below = nullptr;
    QWidget *m_browseControl = nullptr;

public:
    QAction *toolButton(const QString &key) const { return m_toolButtons.value(key); }
    QWidget *queryRegion() const { return m_query; }
    QSplitter *mainRegion() const { return m_main; }
};

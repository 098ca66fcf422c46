// SPDX-License-Identifier: GPL-3.0-or-later
// The query pane: the tab strip tabQuery with one page per query kind, its lists, pickers and buttons.
#pragma once

#include "data/photofilter.h"
#include "data/querybuilder.h"

#include <QWidget>
#include <array>
#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QCompleter;
class QFrame;
class QHBoxLayout;
class QPushButton;
class QTabWidget;
class QToolButton;
class Picker;
class ProgramState;

class QueryPane : public QWidget
{
    Q_OBJECT
public:
    explicit QueryPane(ProgramState &state, QWidget *parent = nullptr);
    ~QueryPane() override;

    // The window the open picker lists float in (the main window).
    void setPickerHost(QWidget *host);
    // Fills every list from the database and resets the pickers.
    void LoadQueryParameters();
    // The selections as the query of the given kind reads them.
    QueryCriteria criteria() const;
    // Runs the query with the status messages and wait pointer; false after a query problem.
    bool RunQuery(int kind);
    // Whether the page shown asks for the photos on show to be erased after a search (its Erase box).
    bool eraseAfterSearch() const;

    void cmdSearch_Click(int index);
    void cmdAll_Click(int index);
    void cmdCloseQuery_Click(int index);
    void tabQuery_Switch(int oldTab, int newTab);
    // Closes every open picker list, in the order vegetation, activity, danger rating, fire behaviour.
    void closePickers();
    // A key pressed in the window or a press on its background: an open vegetation list drops to its closed
    // height but stays shown. Keys typed while that list has the focus work the list instead.
    void shrinkVegetationList(bool byKey);

    QTabWidget *tabQuery() const { return m_tab; }

    enum PickerIndex { VegPicker, ActPicker, DangerPicker, BehavePicker };
    Picker *picker(int index) const { return m_pickers[size_t(index)]; }

Q_SIGNALS:
    // A query made a new photo set: the results list is to be filled from it.
    void queryRan();
    // The erase box of a page was ticked after its query: the panes start afresh with the first result.
    void eraseStepRequested();
    // A close button of the pane: the Query command.
    void closeQueryRequested();
    // The lists were filled: the code files' entries for each code in the database.
    void codeTextsLoaded(const PhotoFilter::CodeTexts &texts);

protected:
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The Select Book box's tooltip: the book's whole text while the box cuts it, else none.
    void updateBookTip();
    QWidget *createBookPage();
    QWidget *createTotalPage();
    QWidget *createSizePage();
    // A loading page: a row of two range lists per (caption, list name), the place of the vegetation and
    // activity frame, and the page's buttons. Each page's parts flow onto more lines in a narrow window.
    QWidget *createLoadingPage(int index, int closeIndex, const std::vector<std::pair<QString, QString>> &ranges);
    QWidget *createModelsPage();
    QFrame *createVegActFrame();
    QComboBox *createRangeList(const QString &name);
    // Search, All Photos, the erase box and the close button of page `page`.
    QWidget *createPageButtons(QWidget *pageWidget, int page, int closeIndex);
    void eraseStep(int index);

    ProgramState &m_state;
    QTabWidget *m_tab = nullptr;
    QComboBox *m_book = nullptr;
    std::array<QComboBox *, 6> m_ranges{}; // cboTotalLoad_0/_1, cbo0to3_0/_1, cbo3Plus_0/_1
    QCompleter *m_noCompletion = nullptr;  // see createRangeList
    std::array<Picker *, 4> m_pickers{};
    std::array<QCheckBox *, 4> m_erase{};
    QFrame *m_vegAct = nullptr;
    std::array<QHBoxLayout *, 3> m_vegActSlots{}; // where freVegAct goes on pages 1 and 2
    std::array<QWidget *, 3> m_vegActHolders{};
    int m_currentTab = 0;
};

// SPDX-License-Identifier: GPL-3.0-or-later
// frmFenwyx: the working window — toolbar, query pane, results list, browse buttons and the photo panes.
#pragma once

#include <QWidget>

class BrowseButtons;
class MainCommands;
class PhotoPanes;
class ProgramState;
class QHBoxLayout;
class QLineEdit;
class QSpacerItem;
class QVBoxLayout;
class QSplitter;
class QueryPane;
class ResultsListView;
class ResultsModel;
class WelcomePane;

class frmFenwyx : public QWidget
{
    Q_OBJECT
public:
    explicit frmFenwyx(ProgramState &state, QWidget *parent = nullptr);
    ~frmFenwyx() override;

    MainCommands &commands() const { return *m_commands; }
    QueryPane *queryPane() const { return m_queryPane; }
    ResultsModel *resultsModel() const { return m_results; }
    ResultsListView *resultsList() const { return m_list; }
    BrowseButtons *browseButtons() const { return m_browseButtons; }
    PhotoPanes *photoPanes() const { return m_panes; }
    QWidget *queryRegion() const { return m_query; }
    // txtFilter: the quick filter above the results list.
    QLineEdit *filterBox() const { return m_filter; }
    QSplitter *mainRegion() const { return m_main; }
    WelcomePane *welcomePane() const { return m_welcome; }

    // The query region shown or hidden; the results and photo panes take the freed height.
    void showQueryRegion(bool open);
    // While no photo series is installed, the welcome stands in place of the query, the list and the panes.
    void showWelcome(bool shown);
    bool welcomeShown() const { return m_welcomeShown; }
    // The room at the window's top right that the Assistant takes at its place by the frame: the toolbar and
    // the query pane keep to its left, the results list and the photo panes start below it. An empty size
    // gives the room back.
    void setAssistantRoom(const QSize &room);
    QSize assistantRoom() const { return m_roomWanted; }

Q_SIGNALS:
    // Form_KeyPress: a key pressed anywhere in the window, whichever child has the focus.
    void keyPressed();
    // Form_MouseDown: a press on the window's own background.
    void backgroundPressed();
    // The quick filter box got the focus: typing is about to start.
    void filterFocused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createLayout(ProgramState &state);
    void applyAssistantRoom();

    MainCommands *m_commands;
    ResultsModel *m_results;
    ResultsListView *m_list = nullptr;
    QLineEdit *m_filter = nullptr;
    QueryPane *m_queryPane = nullptr;
    BrowseButtons *m_browseButtons = nullptr;
    PhotoPanes *m_panes = nullptr;
    QWidget *m_query = nullptr;
    QSplitter *m_main = nullptr;
    WelcomePane *m_welcome = nullptr;
    bool m_queryOpen = true;
    bool m_welcomeShown = false;
    QHBoxLayout *m_band = nullptr;
    QVBoxLayout *m_top = nullptr; // the toolbar's row and the query region
    QSpacerItem *m_room = nullptr;
    QSize m_roomWanted;
};

// lstPhotos: the results list as a sortable table or as icons, both views over one model.
#pragma once

#include <QWidget>

class QListView;
class QStackedWidget;
class QTableView;
class ResultsModel;

class ResultsListView : public QWidget
{
    Q_OBJECT
public:
    enum View { IconView = 2, ReportView = 3 };

    explicit ResultsListView(ResultsModel *model, QWidget *parent = nullptr);

    void setView(int view);
    int view() const { return m_view; }
    int currentRow() const;
    // Makes row current and selected and scrolls it into view, without announcing it as a click.
    void selectRow(int row);
    QTableView *table() const { return m_table; }
    QListView *icons() const { return m_icons; }
    ResultsModel *model() const { return m_model; }

Q_SIGNALS:
    // The user chose a row (click, or moving through the list with the keyboard).
    void itemClicked(int row);

private:
    void applyColumnLayout();

    ResultsModel *m_model;
    QStackedWidget *m_stack;
    QTableView *m_table;
    QListView *m_icons;
    int m_view = ReportView;
    bool m_selecting = false;
};

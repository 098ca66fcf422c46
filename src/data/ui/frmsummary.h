// SPDX-License-Identifier: GPL-3.0-or-later
// frmSummary: how much the listed photos vary, a row for each number column of the results list.
#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;
class QTableWidget;
class ResultsModel;

// Not modal: it holds nothing to confirm, and it follows the list while it is open (the quick filter, a new query,
// the units), so the user may keep it beside the list and watch the numbers change as they narrow it.
class frmSummary : public QDialog
{
    Q_OBJECT
public:
    explicit frmSummary(const ResultsModel &list, QWidget *parent = nullptr);

    // Fills the table from the photos the list shows, in its units and in its picture formats.
    void refresh();
    // What Copy puts on the clipboard: a line of headers, then a line per measure, the fields tab-separated.
    QString text() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void listChanged();
    void copy();

    QPointer<const ResultsModel> m_list;
    QLabel *m_count;
    QTableWidget *m_table;
    QPushButton *m_copy;
    bool m_stale = true; // the list changed while the window was hidden
};

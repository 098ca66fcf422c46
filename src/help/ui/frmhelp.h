// SPDX-License-Identifier: GPL-3.0-or-later
// frmHelp: the program's own help window — the manual's pages, back and forward, contents, index and search.
#pragma once

#include "help/helpsearch.h"

#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTextBrowser;

class frmHelp : public QWidget
{
    Q_OBJECT
public:
    // folder: the help folder whose pages the window shows and searches.
    explicit frmHelp(QString folder, QWidget *parent = nullptr);

    // Shows a page of the help folder, "page.html" or "page.html#anchor"; false when it does not exist.
    bool showPage(const QString &page);
    void showContents();
    // Searches every page and lists the ones found; returns how many were found.
    int search(const QString &text);

    QTextBrowser *browser() const { return m_browser; }
    QListWidget *results() const { return m_results; }
    // The page shown, relative to the help folder, without its anchor.
    QString currentPage() const;

Q_SIGNALS:
    // A link that leaves the help (a web address or mail) was followed.
    void externalLinkClicked(const QUrl &url);

private:
    void followLink(const QUrl &link);
    void openResult(QListWidgetItem *item);
    void clearSearch();
    void updateTitle();

    QString m_folder;
    HelpSearch m_search;
    bool m_searchLoaded = false;
    QStringList m_searchWords;
    QTextBrowser *m_browser;
    QLineEdit *m_searchText;
    QWidget *m_resultsPane;
    QLabel *m_resultsLabel;
    QListWidget *m_results;
};
